#pragma once
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "core/config_document.h"
#include "tests/dom_server.h"
#include "tests/bstr_counter.h"
#include "tests/temp_dir.h"

// What the device's component writes for the two settings, byte for byte.
extern const char DEVICE_CONFIG_FILE[];

// The text of CONFIG's child as a fresh ConfigDocument reads it from the file, or "<none>".
// *phrLoad receives LoadXMLFile's result and *phrRead GetChildText's, when given.
std::wstring ReadChild(const std::wstring &strPath, const wchar_t *pszChild,
                       HRESULT *phrLoad = NULL, HRESULT *phrRead = NULL);

// Names in a directory, "." and ".." left out.
std::vector<std::wstring> ListDir(const std::wstring &strDir);

// UTF-16 little-endian bytes with a byte-order mark, from UTF-8 text.
std::string Utf16LeWithBom(const std::string &strUtf8);

// Each test starts with a fresh directory and the component runtime initialised, and ends with
// every DOM object and component string given back.
class ConfigTest : public testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    TempDir m_dir;
    std::wstring m_strPath;
    LONG m_nObjectsBefore;
    LONG m_nBstrsBefore;
};
