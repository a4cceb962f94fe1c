#include "FakeSysfs.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <linux/if.h>
#include <linux/if_link.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>

#include "platform/linux/NetlinkLinkMessages.h"

namespace quorvane::test {

namespace {

uint8_t operstate_code(const std::string& text) {
    static const std::map<std::string, uint8_t> codes = {{"unknown", IF_OPER_UNKNOWN},
                                                         {"notpresent", IF_OPER_NOTPRESENT},
                                                         {"down", IF_OPER_DOWN},
                                                         {"lowerlayerdown", IF_OPER_LOWERLAYERDOWN},
                                                         {"testing", IF_OPER_TESTING},
                                                         {"dormant", IF_OPER_DORMANT},
                                                         {"up", IF_OPER_UP}};
    auto found = codes.find(text);
    EXPECT_NE(found, codes.end()) << "no operstate " << text;
    return found == codes.end() ? uint8_t{IF_OPER_UNKNOWN} : found->second;
}

// The bytes of a hardware address text, all of them (the kernel sends the whole address).
std::vector<uint8_t> address_bytes(const std::string& text) {
    std::vector<uint8_t> bytes;
    for (std::size_t pos = 0; pos + 1 < text.size(); pos += 3)
        bytes.push_back(static_cast<uint8_t>(std::stoul(text.substr(pos, 2), nullptr, 16)));
    return bytes;
}

void append_attribute(std::vector<uint8_t>& message, unsigned short type, const void* data,
                      std::size_t size) {
    rtattr attr{};
    attr.rta_type = type;
    attr.rta_len = static_cast<unsigned short>(RTA_LENGTH(size));
    const std::size_t start = message.size();
    message.resize(start + RTA_SPACE(size), 0);
    std::memcpy(message.data() + start, &attr, sizeof attr);
    std::memcpy(message.data() + start + RTA_LENGTH(0), data, size);
}

std::vector<uint8_t> link_message(const FakeLink& link) {
    std::vector<uint8_t> message(NLMSG_LENGTH(sizeof(ifinfomsg)), 0);
    ifinfomsg info{};
    info.ifi_family = AF_UNSPEC;
    info.ifi_type = static_cast<unsigned short>(link.type);
    info.ifi_index = static_cast<int>(link.ifindex);
    info.ifi_flags = static_cast<unsigned>(std::stoul(link.flags, nullptr, 16));
    std::memcpy(message.data() + NLMSG_HDRLEN, &info, sizeof info);
    auto add = [&](unsigned short type, const void* data, std::size_t size) {
        if (!link.omitted.contains(type)) append_attribute(message, type, data, size);
    };
    add(IFLA_IFNAME, link.name.c_str(), link.name.size() + 1);
    const uint8_t operstate = operstate_code(link.operstate);
    add(IFLA_OPERSTATE, &operstate, 1);
    if (link.address && !link.address->empty()) {
        const auto bytes = address_bytes(*link.address);
        add(IFLA_ADDRESS, bytes.data(), bytes.size());
    }
    if (link.alias && !link.alias->empty())
        add(IFLA_IFALIAS, link.alias->c_str(), link.alias->size() + 1);
    rtnl_link_stats64 stats{};
    stats.rx_bytes = link.rx_bytes;
    stats.tx_bytes = link.tx_bytes;
    stats.rx_packets = link.rx_bytes / 100;
    add(IFLA_STATS64, &stats, sizeof stats);

    nlmsghdr header{};
    header.nlmsg_len = static_cast<uint32_t>(message.size());
    header.nlmsg_type = RTM_NEWLINK;
    header.nlmsg_flags = NLM_F_MULTI;
    std::memcpy(message.data(), &header, sizeof header);
    return message;
}

}  // namespace

std::vector<std::pair<const char*, std::vector<uint8_t>>> broken_answers(
    const std::vector<uint8_t>& dump, std::size_t kept) {
    std::vector<uint8_t> cut(dump.begin(), dump.begin() + static_cast<std::ptrdiff_t>(kept));
    std::vector<uint8_t> error(NLMSG_LENGTH(sizeof(nlmsgerr)), 0);
    auto* header = reinterpret_cast<nlmsghdr*>(error.data());
    header->nlmsg_len = static_cast<uint32_t>(error.size());
    header->nlmsg_type = NLMSG_ERROR;
    std::vector<uint8_t> interrupted = dump;
    reinterpret_cast<nlmsghdr*>(interrupted.data())->nlmsg_flags |= NLM_F_DUMP_INTR;
    return {{"cut short", cut}, {"error answer", error}, {"interrupted by a change", interrupted}};
}

std::vector<uint8_t> link_dump(const std::vector<FakeLink>& links) {
    std::vector<uint8_t> dump;
    for (const auto& link : links) {
        auto message = link_message(link);
        dump.insert(dump.end(), message.begin(), message.end());
    }
    std::vector<uint8_t> done(NLMSG_LENGTH(sizeof(int)), 0);
    nlmsghdr header{};
    header.nlmsg_len = static_cast<uint32_t>(done.size());
    header.nlmsg_type = NLMSG_DONE;
    header.nlmsg_flags = NLM_F_MULTI;
    std::memcpy(done.data(), &header, sizeof header);
    dump.insert(dump.end(), done.begin(), done.end());
    return dump;
}

void FakeSysfs::add(const FakeLink& link) const {
    m_links->push_back(link);
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

void FakeSysfs::remove_link(const std::string& link) const {
    std::erase_if(*m_links, [&](const FakeLink& item) { return item.name == link; });
    std::filesystem::remove_all(root() / link);
}

LinkSource FakeSysfs::links() const {
    return [links = m_links]() -> std::optional<std::vector<NetlinkLink>> {
        const auto dump = link_dump(*links);
        std::vector<NetlinkLink> result;
        if (parse_link_messages(dump.data(), dump.size(), result) != DumpProgress::done)
            return std::nullopt;
        return result;
    };
}

LinuxLinks FakeSysfs::machine(AddressSource addresses) const {
    return LinuxLinks(links(), root(), std::move(addresses));
}

uint32_t stored(const char* dotted) {
    in_addr in{};
    EXPECT_EQ(inet_pton(AF_INET, dotted, &in), 1) << dotted;
    return in.s_addr;
}

}  // namespace quorvane::test
