#include <gtest/gtest.h>

#include "support/FakeNetwork.h"
#include "traffic/AddressFormat.h"
#include "traffic/InterfaceNames.h"

namespace quorvane {
namespace {

TEST(MacToStr, FormatsTheCountedBytes) {
    struct Case {
        std::array<uint8_t, 8> bytes;
        uint32_t count;
        const char* text;
    } cases[] = {
        {{0x00, 0x0C, 0x29, 0xAB, 0xCD, 0xEF}, 6, "00-0C-29-AB-CD-EF"},
        {{0x00, 0x50, 0x56, 0xC0, 0x00, 0x08}, 6, "00-50-56-C0-00-08"},
        {{0x12, 0x34}, 0, "00-00-00-00-00-00"},
        {{5}, 1, "05"},
        {{1, 2, 3, 4, 5, 6, 7, 8}, 8, "01-02-03-04-05-06-07-08"},
        {{1, 2, 3, 4, 5, 6, 7, 8}, 20, "01-02-03-04-05-06-07-08"},  // above 8 counts as 8
    };
    for (const auto& c : cases) EXPECT_EQ(mac_to_str(c.bytes, c.count), c.text);
}

TEST(IpToStr, ReadsOctetsFromTheLowestByteUp) {
    EXPECT_EQ(ip_to_str(test::ipv4(192, 168, 0, 1)), "192.168.0.1");
    EXPECT_EQ(ip_to_str(0), "0.0.0.0");
    EXPECT_EQ(ip_to_str(0xFFFFFFFF), "255.255.255.255");
    EXPECT_EQ(ip_to_str(test::ipv4(10, 0, 20, 3)), "10.0.20.3");
}

TEST(RowDescription, DropsTheTerminatingZero) {
    MIB_IFROW row;
    test::set_descr(row, "Realtek PCIe GbE");
    EXPECT_EQ(row_description(row), "Realtek PCIe GbE");
    row.dwDescrLen = 0;
    EXPECT_EQ(row_description(row), "");
    row.dwDescrLen = 5000;  // a length beyond the buffer reads no further than the buffer
    EXPECT_EQ(row_description(row), "Realtek PCIe GbE");
}

TEST(InterfaceNames, TypeAndStatusTables) {
    EXPECT_EQ(if_type_name(6), "MIB_IF_TYPE_ETHERNET");
    EXPECT_EQ(if_type_name(23), "MIB_IF_TYPE_PPP");
    EXPECT_EQ(if_type_name(24), "MIB_IF_TYPE_LOOPBACK");
    EXPECT_EQ(if_type_name(28), "MIB_IF_TYPE_SLIP");
    EXPECT_EQ(if_type_name(71), "");
    EXPECT_EQ(oper_status_name(0), "MIB_IF_OPER_STATUS_NON_OPERATIONAL");
    EXPECT_EQ(oper_status_name(5), "MIB_IF_OPER_STATUS_OPERATIONAL");
    EXPECT_EQ(oper_status_name(6), "");
}

}  // namespace
}  // namespace quorvane
