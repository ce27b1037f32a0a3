// What every engine test starts from: a virtual clock, a recording presenter, the scripted monitor,
// and the process-wide catalogue, groups, run settings and report texts back at their start values.
#pragma once

#include <gtest/gtest.h>

#include "catalogue/vcp_catalogue.h"
#include "catalogue/vcp_groups.h"
#include "operator/run_settings.h"
#include "operator/testing/recording_presenter.h"
#include "platform/clock.h"
#include "platform/local_time.h"
#include "report/report_body.h"
#include "report/report_texts.h"
#include "scripted_monitor.h"

namespace kestrova::engine::testing {

class EngineTest : public ::testing::Test {
  protected:
    EngineTest() {
        op::ResetRunSettings();
        catalogue::Catalogue() = catalogue::VcpCatalogue();
        catalogue::BuildVcpGroups(catalogue::VcpGroups());
        report::ResetReportTexts();
        platform::SetCurrentDateTimeSource(&dateTime_);
    }
    ~EngineTest() override {
        platform::SetCurrentDateTimeSource(nullptr);
        report::FreeReportBody();
        report::ResetReportTexts();
        op::ResetRunSettings();
        catalogue::Catalogue() = catalogue::VcpCatalogue();
        catalogue::BuildVcpGroups(catalogue::VcpGroups());
    }

    platform::FixedDateTimeSource dateTime_{{"2:07 PM", "Monday, December 7, 2026"}};
    platform::VirtualClock clock_;
    platform::ScopedClock scopedClock_{clock_};
    op::testing::RecordingPresenter presenter_;
    op::ScopedPresenter scopedPresenter_{&presenter_};
    ScopedScriptedMonitor monitor_;
};

}  // namespace kestrova::engine::testing
