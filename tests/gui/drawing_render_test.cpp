// The painter draws a profile into each export type without a display.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QImage>

#include "core/hgl/hgl_test_pipes.h"
#include "draw/painter.h"
#include "forms/profile.h"

namespace pelvane::draw {
namespace {

namespace dr = forms::drawing;

TEST(DrawingRender, DrawsEveryExportTypeOffscreen) {
    // One 18 in pipe (the grade line tests' pipe) into structure OUT.
    const hgl::HglPipe pipe = hgl::testing::make_pipe("1", "A", "OUT");
    const forms::ProfileTexts texts{"0.01000", "106.0"};
    const forms::ProfileOutcome made =
        forms::make_profile({&pipe, 1}, {&texts, 1}, "ENGLISH", "1", "OUT", "100.50");
    ASSERT_TRUE(made.run) << made.problem;
    const dr::Drawing drawing = forms::profile_drawing(*made.run);

    const std::pair<dr::Format, std::string> starts[] = {
        {dr::Format::Svg, "<?xml"}, {dr::Format::Png, "\x89PNG"}, {dr::Format::Pdf, "%PDF"}};
    for (const auto& [format, start] : starts) {
        const std::string bytes = render(drawing, format);
        EXPECT_EQ(bytes.substr(0, start.size()), start);
        EXPECT_GT(bytes.size(), 2000u) << start;
    }
    // The grade line is painted in its own colour.
    const std::string png = render(drawing, dr::Format::Png);
    const QImage image =
        QImage::fromData(QByteArray(png.data(), static_cast<qsizetype>(png.size())));
    ASSERT_FALSE(image.isNull());
    int hgl = 0;
    for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2)
            hgl += image.pixel(x, y) == qRgb(0x1f, 0x5f, 0xbf);
    }
    EXPECT_GT(hgl, 100);
}

}  // namespace
}  // namespace pelvane::draw
