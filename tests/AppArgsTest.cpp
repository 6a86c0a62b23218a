#include "args/AppArgs.h"

#include <gtest/gtest.h>

TEST(AppArgs, Empty) { }
