#pragma once
// Code pages by name for the tests; a name the tests use must exist.

#include <gtest/gtest.h>

#include <string>

#include "platform/CodePage.h"

inline CCodePage Page(const std::string& name) {
    CCodePage cp;
    EXPECT_TRUE(CCodePage::FromName(name, cp)) << name;
    return cp;
}

// Offset of p in text, -1 for none.
inline long PosIn(const std::string& text, const char* p) {
    return p ? static_cast<long>(p - text.c_str()) : -1;
}
