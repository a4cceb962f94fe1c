#include <gtest/gtest.h>

#include <functional>
#include <set>

#include <QImage>

#include "ui/pictures/Pictures.h"

namespace quorvane::test {
namespace {

QImage image_of(const QIcon& icon, int side) {
    return icon.pixmap(side).toImage().convertToFormat(QImage::Format_ARGB32);
}

// A picture that shows something: more than one colour, and not transparent all over.
bool shows_something(const QImage& image) {
    std::set<QRgb> colours;
    bool opaque = false;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            colours.insert(pixel);
            opaque = opaque || qAlpha(pixel) > 0;
        }
    }
    return opaque && colours.size() > 2;
}

struct IconCase {
    const char* name;
    std::function<QIcon()> make;
    std::vector<int> sides;
};

void PrintTo(const IconCase& c, std::ostream* os) {
    *os << c.name;
}

class PictureIcons : public ::testing::TestWithParam<IconCase> {};

TEST_P(PictureIcons, CarryAPictureDrawnForEachSize) {
    const QIcon icon = GetParam().make();
    ASSERT_FALSE(icon.isNull());
    const QList<QSize> sizes = icon.availableSizes();
    for (int side : GetParam().sides) {
        SCOPED_TRACE(side);
        EXPECT_TRUE(sizes.contains(QSize(side, side)));
        const QImage image = image_of(icon, side);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), QSize(side, side));
        EXPECT_TRUE(shows_something(image));
    }
}

const std::vector<int> kToolbar = {32, 48, 64};
const std::vector<int> kSmall = {16, 24, 32};
const std::vector<int> kTray = {16, 22, 24, 32};

INSTANTIATE_TEST_SUITE_P(
    All, PictureIcons,
    ::testing::Values(
        IconCase{"Configure", [] { return toolbar_picture(ToolbarPicture::Configure); }, kToolbar},
        IconCase{"Meter", [] { return toolbar_picture(ToolbarPicture::Meter); }, kToolbar},
        IconCase{"Statistic", [] { return toolbar_picture(ToolbarPicture::Statistic); }, kToolbar},
        IconCase{"Help", [] { return toolbar_picture(ToolbarPicture::Help); }, kToolbar},
        IconCase{"Home", [] { return toolbar_picture(ToolbarPicture::Home); }, kToolbar},
        IconCase{"Exit", [] { return toolbar_picture(ToolbarPicture::Exit); }, kToolbar},
        IconCase{"TuneUp", [] { return toolbar_picture(ToolbarPicture::TuneUp); }, kToolbar},
        IconCase{"TrayNone", [] { return tray_picture(0); }, kTray},
        IconCase{"TrayDownload", [] { return tray_picture(1); }, kTray},
        IconCase{"TrayUpload", [] { return tray_picture(2); }, kTray},
        IconCase{"TrayBoth", [] { return tray_picture(3); }, kTray},
        IconCase{"DeviceAll", [] { return device_picture(0); }, kSmall},
        IconCase{"DeviceModem", [] { return device_picture(1); }, kSmall},
        IconCase{"DeviceEthernet", [] { return device_picture(2); }, kSmall},
        IconCase{"DeviceLoopback", [] { return device_picture(3); }, kSmall},
        IconCase{"DeviceDatabase", [] { return device_picture(4); }, kSmall},
        IconCase{"Erase", [] { return filter_picture(FilterPicture::Erase); }, kSmall},
        IconCase{"Export", [] { return filter_picture(FilterPicture::Export); }, kSmall},
        IconCase{"Show", [] { return filter_picture(FilterPicture::Show); }, kSmall},
        IconCase{"Close", [] { return close_picture(); }, kSmall},
        IconCase{"Application", [] { return application_icon(); },
                 std::vector<int>{16, 22, 32, 48, 64, 128, 256}}),
    [](const auto& info) { return std::string(info.param.name); });

// Pictures chosen by index, at one size.
std::vector<QImage> images(QIcon (*picture)(int), int count, int side) {
    std::vector<QImage> result;
    for (int index = 0; index < count; ++index) result.push_back(image_of(picture(index), side));
    return result;
}

struct SetCase {
    const char* name;
    QIcon (*picture)(int);
    int count;
    int side;
};

void PrintTo(const SetCase& c, std::ostream* os) {
    *os << c.name << " at " << c.side;
}

class PictureSets : public ::testing::TestWithParam<SetCase> {};

TEST_P(PictureSets, DifferPairwise) {
    const auto all = images(GetParam().picture, GetParam().count, GetParam().side);
    for (size_t a = 0; a < all.size(); ++a)
        for (size_t b = a + 1; b < all.size(); ++b) EXPECT_NE(all[a], all[b]) << a << " " << b;
}

TEST_P(PictureSets, GiveTheFirstPictureForAnIndexOutsideTheList) {
    const auto& c = GetParam();
    const QImage first = image_of(c.picture(0), c.side);
    EXPECT_EQ(image_of(c.picture(-1), c.side), first);
    EXPECT_EQ(image_of(c.picture(c.count), c.side), first);
}

INSTANTIATE_TEST_SUITE_P(All, PictureSets,
                         ::testing::Values(SetCase{"Tray", tray_picture, 4, 16},
                                           SetCase{"Tray", tray_picture, 4, 22},
                                           SetCase{"Device", device_picture, 5, 16}),
                         [](const auto& info) {
                             return std::string(info.param.name) + "At" +
                                    std::to_string(info.param.side);
                         });

TEST(PictureToolbar, TheSevenPicturesDifferPairwise) {
    const ToolbarPicture all[] = {ToolbarPicture::Configure, ToolbarPicture::Meter,
                                  ToolbarPicture::Statistic, ToolbarPicture::Help,
                                  ToolbarPicture::Home,      ToolbarPicture::Exit,
                                  ToolbarPicture::TuneUp};
    std::vector<QImage> drawn;
    for (ToolbarPicture which : all) drawn.push_back(image_of(toolbar_picture(which), 32));
    for (size_t a = 0; a < drawn.size(); ++a)
        for (size_t b = a + 1; b < drawn.size(); ++b)
            EXPECT_NE(drawn[a], drawn[b]) << a << " " << b;
}

struct PixmapCase {
    const char* name;
    std::function<QPixmap()> make;
    QSize size;
};

void PrintTo(const PixmapCase& c, std::ostream* os) {
    *os << c.name;
}

class PicturePixmaps : public ::testing::TestWithParam<PixmapCase> {};

TEST_P(PicturePixmaps, AreDrawnAtTheSizeAskedFor) {
    const QPixmap pixmap = GetParam().make();
    ASSERT_FALSE(pixmap.isNull());
    EXPECT_EQ(pixmap.size(), GetParam().size);
    EXPECT_TRUE(shows_something(pixmap.toImage().convertToFormat(QImage::Format_ARGB32)));
}

INSTANTIATE_TEST_SUITE_P(
    All, PicturePixmaps,
    ::testing::Values(PixmapCase{"Banner",
                                 [] {
                                     return banner_picture({300, 45});
                                 },
                                 {300, 45}},
                      PixmapCase{"WideBanner",
                                 [] {
                                     return banner_picture({600, 90});
                                 },
                                 {600, 90}},
                      PixmapCase{"Logo64", [] { return logo_picture(64); }, {64, 64}},
                      PixmapCase{"Logo16", [] { return logo_picture(16); }, {16, 16}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PictureBanner, IsPaintedOnTheWindowColour) {
    const QImage banner = banner_picture({300, 45}).toImage();
    EXPECT_EQ(QColor(banner.pixel(0, 0)), QColor(216, 228, 248));
}

TEST(PictureSizes, AnEmptySizeGivesAnEmptyPicture) {
    EXPECT_TRUE(banner_picture({0, 0}).isNull());
    EXPECT_TRUE(logo_picture(0).isNull());
}

}  // namespace
}  // namespace quorvane::test
