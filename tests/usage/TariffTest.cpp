#include "usage/Tariff.h"

#include <string>

#include <gtest/gtest.h>

#include "config/Conversions.h"
#include "support/TempDir.h"
#include "support/TestLocales.h"
#include "usage/TariffBook.h"

namespace quorvane::test {
namespace {

class TariffTest : public testing::Test {
protected:
    std::string write_dev_ini(const std::string& content) {
        return m_dir.write("config/dev.ini", content).string();
    }

    TempDir m_dir;
};

// The dialog writes Time_cost, Time_cost_sat, Bw_cost_sat and Bw_opt; key names match
// without regard to letter case.
TEST_F(TariffTest, ReadsTheKeysAsTheDialogSpellsThem) {
    IniFile ini(
        write_dev_ini("[LAN]\nTime_cost=1.5\nTime_cost_sat=1\nBw_cost=0.5\n"
                      "Bw_cost_sat=2\nBw_opt=1\nlog_option=1\n"));
    EXPECT_EQ(read_tariff(ini, "LAN", point_decimal()), (Tariff{1, 1, 15000, 2, 5000}));
}

TEST_F(TariffTest, MissingSectionOrKeysCountAsZero) {
    IniFile ini(write_dev_ini("[LAN]\nBw_cost=2\n"));
    EXPECT_EQ(read_tariff(ini, "LAN", point_decimal()), (Tariff{0, 0, 0, 0, 20000}));
    EXPECT_EQ(read_tariff(ini, "Wi-Fi", point_decimal()), Tariff{});
    EXPECT_EQ(read_tariff(IniFile((m_dir.path() / "none.ini").string()), "LAN", point_decimal()),
              Tariff{});
}

// Indexes outside their lists are kept as they are; the cost model decides what they cost.
TEST_F(TariffTest, IndexesOutsideTheirListsAreKept) {
    IniFile ini(write_dev_ini("[LAN]\nTime_cost_sat=-1\nBw_cost_sat=5\nBw_opt=-1\n"));
    EXPECT_EQ(read_tariff(ini, "LAN", point_decimal()), (Tariff{-1, -1, 0, 5, 0}));
}

TEST_F(TariffTest, PricesUseTheRegionalDecimalSeparator) {
    IniFile ini(write_dev_ini("[point]\nTime_cost=1.5\n[comma]\nTime_cost=1,5\n"));
    EXPECT_EQ(read_tariff(ini, "comma", comma_decimal()).time_price, 15000);
    EXPECT_EQ(read_tariff(ini, "point", point_decimal()).time_price, 15000);
    EXPECT_THROW(read_tariff(ini, "point", comma_decimal()), ConversionError);
}

struct BadValueCase {
    const char* section;
    const char* message;
};

class TariffBadValue : public TariffTest, public testing::WithParamInterface<BadValueCase> {};

// The first bad value in reading order is named: bw_opt, time_cost_sat, time_cost,
// bw_cost_sat, Bw_cost.
TEST_P(TariffBadValue, IsAConversionErrorNamingTheText) {
    IniFile ini(write_dev_ini(std::string("[LAN]\n") + GetParam().section));
    try {
        read_tariff(ini, "LAN", point_decimal());
        FAIL() << "accepted " << GetParam().section;
    } catch (const ConversionError& e) {
        EXPECT_EQ(std::string(e.what()), GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Values, TariffBadValue,
    testing::Values(BadValueCase{"Time_cost=\n", "'' is not a valid floating point value"},
                    BadValueCase{"Bw_cost=1,5\n", "'1,5' is not a valid floating point value"},
                    BadValueCase{"Bw_opt=both\n", "'both' is not a valid integer value"},
                    BadValueCase{"Time_cost_sat=1.0\n", "'1.0' is not a valid integer value"},
                    BadValueCase{"Bw_cost_sat=x\nBw_cost=y\n", "'x' is not a valid integer value"},
                    BadValueCase{"Time_cost=t\nBw_opt=o\nTime_cost_sat=s\n",
                                 "'o' is not a valid integer value"}));

// The section of a log row's device matches in any ASCII letter case, as the INI file's
// names do; each section is read once per book.
TEST_F(TariffTest, BookReadsEachSectionOnceInAnyLetterCase) {
    std::string path = write_dev_ini("[LAN]\nTime_cost=1\n");
    TariffBook book(path, point_decimal());
    EXPECT_EQ(book.tariff_of("LAN").time_price, 10000);
    write_dev_ini("[LAN]\nTime_cost=2\n");
    EXPECT_EQ(book.tariff_of("lan").time_price, 10000);
    EXPECT_EQ(book.tariff_of("LaN").time_price, 10000);
    // A new refresh, a new book: the saved tariff counts.
    TariffBook next(path, point_decimal());
    EXPECT_EQ(next.tariff_of("lan").time_price, 20000);
}

TEST_F(TariffTest, BookKeepsDevicesApartAndNamesWithQuotes) {
    std::string path = write_dev_ini(
        "[LAN]\nTime_cost=1\n[Bob's \"50%\" [lab]\nTime_cost=3\n[LAN2]\nTime_cost=2\n");
    TariffBook book(path, point_decimal());
    EXPECT_EQ(book.tariff_of("LAN2").time_price, 20000);
    EXPECT_EQ(book.tariff_of("LAN").time_price, 10000);
    EXPECT_EQ(book.tariff_of("Bob's \"50%\" [lab").time_price, 30000);
    EXPECT_EQ(book.tariff_of("Wi-Fi"), Tariff{});
}

TEST_F(TariffTest, BookDoesNotKeepASectionThatFailed) {
    std::string path = write_dev_ini("[LAN]\nTime_cost=abc\n");
    TariffBook book(path, point_decimal());
    EXPECT_THROW(book.tariff_of("LAN"), ConversionError);
    EXPECT_THROW(book.tariff_of("LAN"), ConversionError);
    write_dev_ini("[LAN]\nTime_cost=1\n");
    EXPECT_EQ(book.tariff_of("LAN").time_price, 10000);
}

}  // namespace
}  // namespace quorvane::test
