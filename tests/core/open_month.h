// A month saved into a scratch folder and opened for editing, as the windows find it.
#pragma once

#include <gtest/gtest.h>

#include "core/sample_month.h"
#include "core/test_folder.h"
#include "ledger/month_file.h"

namespace quorvel::test {

class OpenMonthTest : public ::testing::Test {
protected:
    // Without a name each opening takes a new one, so its journal is its own.
    void open(const Ledger& month, const std::vector<ActionRecord>& records = {}, std::string name = "") {
        path = folder.path((name.empty() ? "M" + std::to_string(++opened) : name) + ".rep");
        writeMonth(month, path, records);
        ASSERT_TRUE(LoadMonthFile(ledger, journal, path).ok());
    }
    std::vector<ActionRecord> records() const { return journal.readAll().value(); }
    std::vector<std::string> texts() const {
        std::vector<std::string> all;
        for (const ActionRecord& r : records()) all.emplace_back(r.text());
        return all;
    }

    TestFolder folder;
    int opened = 0;
    std::string path;
    Ledger ledger;
    Journal journal;
};

}  // namespace quorvel::test
