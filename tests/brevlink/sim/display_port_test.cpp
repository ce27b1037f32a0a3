#include "brevlink/sim/display_port.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "brevlink/sim/profile_json.h"

namespace brevlink::sim {
namespace {

using ddcci::Packet;

// The bytes a host writes to 0x37: everything after the 0x6E address byte.
std::vector<uint8_t> Request(const ddcci::Message& message) {
    const Packet packet = ddcci::BuildRequest(message);
    return std::vector<uint8_t>(packet.bytes.begin() + 1, packet.bytes.begin() + packet.size);
}

class DisplayPortTest : public ::testing::Test {
  protected:
    void Start(Faults faults = {}) {
        profile_ = BuiltinProfile().monitors.at(0);
        model_.emplace(profile_);
        port_.emplace(*model_, profile_.capabilities, faults);
    }

    bool Send(const ddcci::Message& message) {
        const std::vector<uint8_t> bytes = Request(message);
        return port_->Write(bytes.data(), bytes.size());
    }

    // What a host read of 12 bytes gets, or nullopt when the monitor does not acknowledge.
    std::optional<std::array<uint8_t, 12>> Reply() {
        std::array<uint8_t, 12> bytes;
        bytes.fill(0xAA);
        if (!port_->Read(bytes.data(), bytes.size())) {
            return std::nullopt;
        }
        return bytes;
    }

    std::optional<ddcci::VcpReply> GetVcp(uint8_t code, ddcci::FrameStatus expected = ddcci::FrameStatus::kOk) {
        EXPECT_TRUE(Send(ddcci::GetVcpRequest(code)));
        const auto bytes = Reply();
        if (!bytes) {
            return std::nullopt;
        }
        ddcci::ReplyFrame frame;
        EXPECT_EQ(ddcci::ParseReply(bytes->data(), bytes->size(), frame), expected);
        ddcci::VcpReply reply;
        if (expected != ddcci::FrameStatus::kOk || !ddcci::DecodeVcpReply(frame.message, reply)) {
            return std::nullopt;
        }
        return reply;
    }

    MonitorProfile profile_;
    std::optional<MonitorModel> model_;
    std::optional<DisplayPort> port_;
};

TEST_F(DisplayPortTest, AnswersGetVcpWithTheFeature) {
    Start();
    const auto reply = GetVcp(0x10);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->resultCode, 0);
    EXPECT_EQ(reply->vcpCode, 0x10);
    EXPECT_EQ(reply->maximum, 100);
    EXPECT_EQ(reply->current, 75);
    const auto unsupported = GetVcp(0xE0);
    ASSERT_TRUE(unsupported);
    EXPECT_EQ(unsupported->resultCode, ddcci::kResultUnsupported);
    EXPECT_EQ(GetVcp(0x04)->type, 1) << "a restore command is momentary";
}

TEST_F(DisplayPortTest, ExactReplyBytes) {
    Start();
    ASSERT_TRUE(Send(ddcci::GetVcpRequest(0x12)));
    const auto bytes = Reply();
    ASSERT_TRUE(bytes);
    const std::array<uint8_t, 12> expected = {
        0x6E, 0x88, 0x02, 0x00, 0x12, 0x00, 0x00, 0x64, 0x00, 0x46, 0x50 ^ 0x6E ^ 0x88 ^ 0x02 ^ 0x12 ^ 0x64 ^ 0x46,
        0x00};
    EXPECT_EQ(*bytes, expected) << "the reply, then zeros";
    EXPECT_EQ(Reply(), expected) << "a reply is read again until the next request";
}

TEST_F(DisplayPortTest, SetVcpChangesTheFeatureAndAnswersNothing) {
    Start();
    ASSERT_TRUE(Send(ddcci::SetVcpRequest(0x10, 33)));
    EXPECT_FALSE(Reply());
    EXPECT_EQ(GetVcp(0x10)->current, 33);
    ASSERT_EQ(model_->Writes().size(), 1u);
    EXPECT_TRUE(model_->Writes()[0].applied);
}

TEST_F(DisplayPortTest, WhatItCannotUnderstandGetsANullMessage) {
    Start();
    WireBehaviour strict;
    strict.strictChecksum = true;
    port_->SetWire(strict);
    const std::vector<std::vector<uint8_t>> writes = {
        {0x51, 0x82, 0x01, 0x10, 0x00},             // bad checksum, to a strict monitor
        {0x51},                                     // too short
        Request(ddcci::TableReadRequest(0x73, 0)),  // no table feature 0x73 here
    };
    for (const std::vector<uint8_t>& write : writes) {
        ASSERT_TRUE(port_->Write(write.data(), write.size()));
        const auto bytes = Reply();
        ASSERT_TRUE(bytes);
        ddcci::ReplyFrame frame;
        EXPECT_EQ(ddcci::ParseReply(bytes->data(), bytes->size(), frame), ddcci::FrameStatus::kNullMessage);
    }
    EXPECT_TRUE(port_->Write(nullptr, 0));
    EXPECT_FALSE(port_->Read(nullptr, 4));
}

TEST_F(DisplayPortTest, CapabilitiesInFragmentsEndingWithAnEmptyOne) {
    Start();
    std::string text;
    for (uint16_t offset = 0;;) {
        ASSERT_TRUE(Send(ddcci::CapabilitiesRequest(offset)));
        std::array<uint8_t, ddcci::kFragmentReadSize> bytes{};
        ASSERT_TRUE(port_->Read(bytes.data(), bytes.size()));
        ddcci::ReplyFrame frame;
        ASSERT_EQ(ddcci::ParseReply(bytes.data(), bytes.size(), frame), ddcci::FrameStatus::kOk);
        ddcci::Fragment fragment;
        ASSERT_TRUE(ddcci::DecodeFragment(frame.message, ddcci::kOpCapabilitiesReply, fragment));
        EXPECT_EQ(fragment.offset, offset);
        if (fragment.size == 0) {
            break;
        }
        EXPECT_LE(fragment.size, ddcci::kMaxFragmentData);
        text.append(reinterpret_cast<const char*>(fragment.data), fragment.size);
        offset = static_cast<uint16_t>(offset + fragment.size);
    }
    EXPECT_EQ(text, profile_.capabilities);
}

TEST_F(DisplayPortTest, SilentCodesAreNotAcknowledged) {
    Faults faults;
    faults.silentCodes = {0x12};
    Start(faults);
    EXPECT_FALSE(GetVcp(0x12));
    EXPECT_TRUE(GetVcp(0x10));
}

TEST_F(DisplayPortTest, BadChecksumOnlyForTheNamedCodes) {
    Faults faults;
    faults.badChecksumCodes = {0x10};
    Start(faults);
    EXPECT_FALSE(GetVcp(0x10, ddcci::FrameStatus::kBadChecksum));
    EXPECT_TRUE(GetVcp(0x12));
}

TEST_F(DisplayPortTest, IgnoredWritesAreRecordedAsSuch) {
    Faults faults;
    faults.ignoredWriteCodes = {0x10};
    Start(faults);
    ASSERT_TRUE(Send(ddcci::SetVcpRequest(0x10, 33)));
    ASSERT_TRUE(Send(ddcci::SetVcpRequest(0x12, 33)));
    EXPECT_EQ(GetVcp(0x10)->current, 75);
    EXPECT_EQ(GetVcp(0x12)->current, 33);
    ASSERT_EQ(model_->Writes().size(), 2u);
    EXPECT_FALSE(model_->Writes()[0].applied);
    EXPECT_TRUE(model_->Writes()[1].applied);
    port_->MutableFaults().ignoreAllWrites = true;
    ASSERT_TRUE(Send(ddcci::SetVcpRequest(0x12, 34)));
    EXPECT_EQ(GetVcp(0x12)->current, 33);
}

TEST_F(DisplayPortTest, ZerosAfterARestoreInEitherStyle) {
    for (ZeroStyle style : {ZeroStyle::kValues, ZeroStyle::kBytes}) {
        Faults faults;
        faults.zeroRepliesAfterRestore = 2;
        faults.zeroStyle = style;
        Start(faults);
        EXPECT_EQ(GetVcp(0x10)->current, 75) << "nothing before a restore";
        ASSERT_TRUE(Send(ddcci::SetVcpRequest(0x10, 20)));
        ASSERT_TRUE(Send(ddcci::SetVcpRequest(0x05, 1)));
        for (int i = 0; i < 2; ++i) {
            if (style == ZeroStyle::kValues) {
                const auto reply = GetVcp(0x12);
                ASSERT_TRUE(reply);
                EXPECT_EQ(reply->maximum, 0);
                EXPECT_EQ(reply->current, 0);
            } else {
                EXPECT_FALSE(GetVcp(0x12, ddcci::FrameStatus::kAllZero));
            }
        }
        EXPECT_EQ(GetVcp(0x10)->current, 75);
        EXPECT_EQ(port_->ZeroRepliesLeft(), 0);
    }
}

TEST_F(DisplayPortTest, GarbledCapabilitiesKeepGoodChecksums) {
    Faults faults;
    faults.garbledCapabilities = true;
    Start(faults);
    ASSERT_TRUE(Send(ddcci::CapabilitiesRequest(0)));
    std::array<uint8_t, ddcci::kFragmentReadSize> bytes{};
    ASSERT_TRUE(port_->Read(bytes.data(), bytes.size()));
    ddcci::ReplyFrame frame;
    ASSERT_EQ(ddcci::ParseReply(bytes.data(), bytes.size(), frame), ddcci::FrameStatus::kOk);
    ddcci::Fragment fragment;
    ASSERT_TRUE(ddcci::DecodeFragment(frame.message, ddcci::kOpCapabilitiesReply, fragment));
    ASSERT_GT(fragment.size, 16u);
    EXPECT_EQ(fragment.data[5], 0xFF);
    EXPECT_EQ(fragment.data[16], 0xFF);
    EXPECT_EQ(fragment.data[0], '(');
}

}  // namespace
}  // namespace brevlink::sim
