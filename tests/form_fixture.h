#pragma once
// A main window on a fake host, created fresh for every test.

#include "app/main_window.h"
#include "fake_host.h"

#include <gtest/gtest.h>

#include <memory>

class StageTest : public ::testing::Test {
protected:
    FakeHost host;
    std::unique_ptr<Form1> form = std::make_unique<Form1>(host);
};
