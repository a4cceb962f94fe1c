#include "FakeSysfs.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>

#include <string>

namespace quorvane::test {

void FakeSysfs::add(const FakeLink& link) const {
    const std::string dir = "net/" + link.name + "/";
    m_dir.write(dir + "ifindex", std::to_string(link.ifindex) + "\n");
    m_dir.write(dir + "type", std::to_string(link.type) + "\n");
    m_dir.write(dir + "operstate", link.operstate + "\n");
    m_dir.write(dir + "flags", link.flags + "\n");
    if (link.speed) m_dir.write(dir + "speed", *link.speed + "\n");
    if (link.address) m_dir.write(dir + "address", *link.address + "\n");
    if (link.alias) m_dir.write(dir + "ifalias", *link.alias + "\n");
    m_dir.write(dir + "statistics/rx_bytes", std::to_string(link.rx_bytes) + "\n");
    m_dir.write(dir + "statistics/tx_bytes", std::to_string(link.tx_bytes) + "\n");
    if (!link.folder.empty()) std::filesystem::create_directories(root() / link.name / link.folder);
}

void FakeSysfs::remove(const std::string& link, const std::string& file) const {
    std::filesystem::remove(root() / link / file);
}

uint32_t stored(const char* dotted) {
    in_addr in{};
    EXPECT_EQ(inet_pton(AF_INET, dotted, &in), 1) << dotted;
    return in.s_addr;
}

}  // namespace quorvane::test
