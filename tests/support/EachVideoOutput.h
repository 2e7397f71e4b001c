#pragma once
// Real-window tests that run on each way of drawing the picture: a fixture derived from EachVideoOutput,
// its tests written with TEST_P, and
//   INSTANTIATE_TEST_SUITE_P(Outputs, Fixture, EachVideoOutput::kinds(), EachVideoOutput::kindName);
#include "engine/VideoOutput.h"

#include <gtest/gtest.h>
#include <string>

class EachVideoOutput : public ::testing::TestWithParam<VideoOutput::Kind> {
public:
    static auto kinds() { return ::testing::Values(VideoOutput::Kind::Gl, VideoOutput::Kind::Software); }
    static std::string kindName(const ::testing::TestParamInfo<VideoOutput::Kind> &info)
    {
        return VideoOutput::name(info.param).toStdString();
    }

protected:
    void SetUp() override { VideoOutput::force(GetParam()); }
    void TearDown() override { VideoOutput::force(std::nullopt); }
};
