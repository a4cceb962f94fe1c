#pragma once

#include <stdexcept>
#include <string>

#include "support/FakeNetwork.h"

namespace quorvane::test {

// A fake machine whose interface table fails for a number of reads.
class FailingNetwork : public FakeNetwork {
public:
    void read_if_table(TMIBIfArray& table) override {
        if (failures > 0) {
            --failures;
            ++if_reads;
            throw std::runtime_error(failure);
        }
        FakeNetwork::read_if_table(table);
    }
    int failures = 0;
    std::string failure = "the interface table cannot be read";
};

}  // namespace quorvane::test
