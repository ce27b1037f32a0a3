#include "operator/presenter.h"

#include <atomic>

namespace kestrova::op {

namespace {

// Read by the test thread, installed by the window thread.
std::atomic<Presenter*> installedPresenter{nullptr};

}  // namespace

void InstallPresenter(Presenter* presenter) {
    installedPresenter.store(presenter);
}

Presenter* InstalledPresenter() {
    return installedPresenter.load();
}

ScopedPresenter::ScopedPresenter(Presenter* presenter) : previous_(InstalledPresenter()) {
    InstallPresenter(presenter);
}

ScopedPresenter::~ScopedPresenter() {
    InstallPresenter(previous_);
}

}  // namespace kestrova::op
