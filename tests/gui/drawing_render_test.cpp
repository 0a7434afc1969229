// The painter draws a profile into each export type without a display.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QImage>

#include "draw/painter.h"
#include "forms/profile.h"

namespace pelvane::draw {
namespace {

namespace dr = forms::drawing;

TEST(DrawingRender, DrawsEveryExportTypeOffscreen) {
    forms::ProfileRun run;
    run.start = "2";
    run.outfall = "1";
    run.outfall_rim = 106.0;
    run.tailwater = 100.5;
    run.length_unit = "ft";
    run.size_unit = "in";
    run.pipes = {{.number = "1",
                  .upper_node = "A",
                  .size = "24",
                  .slope = "0.01000",
                  .station_down = 0,
                  .station_up = 100,
                  .invert_down = 100,
                  .invert_up = 101,
                  .rise = 2,
                  .hgl_down = 102,
                  .hgl_up = 103,
                  .velocity_head = 0.5,
                  .rim_up = 108},
                 {.number = "2",
                  .upper_node = "B",
                  .size = "18",
                  .slope = "0.02000",
                  .station_down = 100,
                  .station_up = 160,
                  .invert_down = 101.2,
                  .invert_up = 102.4,
                  .rise = 1.5,
                  .hgl_down = 103,
                  .hgl_up = 104,
                  .velocity_head = 0.4,
                  .rim_up = 109}};
    const dr::Drawing drawing = forms::profile_drawing(run);

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
