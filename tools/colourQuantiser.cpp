#include "colourQuantiser.h"

#include <QColor>
#include <algorithm>
#include <array>
#include <cmath>
#include <map>

namespace art
{

namespace
{

struct ColourCount {
    std::array<int, 3> channel;
    int count;
};

// Green matters most to the eye, blue least.
const std::array<int, 3> channelWeight = {3, 4, 2};

struct Box {
    std::vector<ColourCount> colours;

    int widestChannel(int *range) const
    {
        int best = 0;
        *range = -1;
        for (int c = 0; c < 3; ++c) {
            const auto [low, high] = std::minmax_element(
                colours.begin(), colours.end(),
                [c](const ColourCount &a, const ColourCount &b) { return a.channel[c] < b.channel[c]; });
            const int weighted = (high->channel[c] - low->channel[c]) * channelWeight[c];
            if (weighted > *range) {
                *range = weighted;
                best = c;
            }
        }
        return best;
    }

    long long priority() const
    {
        if (colours.size() < 2)
            return -1;
        int range = 0;
        widestChannel(&range);
        long long pixels = 0;
        for (const ColourCount &colour : colours)
            pixels += colour.count;
        // Range counts for more than pixel count, so small areas of a distinct colour are not swallowed.
        return (long long)range * range * (long long)std::sqrt(double(pixels) + 1.0);
    }
};

long long distance(const std::array<int, 3> &a, const std::array<int, 3> &b)
{
    long long sum = 0;
    for (int c = 0; c < 3; ++c) {
        const long long d = a[c] - b[c];
        sum += d * d * channelWeight[c];
    }
    return sum;
}

std::array<int, 3> channelsOf(QRgb colour)
{
    return {qRed(colour), qGreen(colour), qBlue(colour)};
}

std::vector<std::array<int, 3>> medianCut(const std::vector<ColourCount> &histogram, int colourCount)
{
    std::vector<Box> boxes(1);
    boxes[0].colours = histogram;
    while (int(boxes.size()) < colourCount) {
        auto widest = std::max_element(boxes.begin(), boxes.end(), [](const Box &a, const Box &b) {
            return a.priority() < b.priority();
        });
        if (widest->priority() < 0)
            break;
        int range = 0;
        const int c = widest->widestChannel(&range);
        std::vector<ColourCount> colours = std::move(widest->colours);
        std::stable_sort(colours.begin(), colours.end(), [c](const ColourCount &a, const ColourCount &b) {
            return a.channel[c] < b.channel[c];
        });
        long long total = 0;
        for (const ColourCount &colour : colours)
            total += colour.count;
        long long seen = 0;
        std::size_t cut = 1;
        for (; cut < colours.size() - 1; ++cut) {
            seen += colours[cut - 1].count;
            if (seen * 2 >= total)
                break;
        }
        Box upper;
        upper.colours.assign(colours.begin() + cut, colours.end());
        colours.resize(cut);
        widest->colours = std::move(colours);
        boxes.push_back(std::move(upper));
    }

    std::vector<std::array<int, 3>> palette;
    for (const Box &box : boxes) {
        std::array<long long, 3> sum = {0, 0, 0};
        long long pixels = 0;
        for (const ColourCount &colour : box.colours) {
            for (int c = 0; c < 3; ++c)
                sum[c] += (long long)colour.channel[c] * colour.count;
            pixels += colour.count;
        }
        palette.push_back({int((sum[0] + pixels / 2) / pixels), int((sum[1] + pixels / 2) / pixels),
                           int((sum[2] + pixels / 2) / pixels)});
    }
    return palette;
}

std::size_t nearest(const std::vector<std::array<int, 3>> &palette, const std::array<int, 3> &colour)
{
    std::size_t best = 0;
    long long bestDistance = distance(palette[0], colour);
    for (std::size_t i = 1; i < palette.size(); ++i) {
        const long long d = distance(palette[i], colour);
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

void refine(std::vector<std::array<int, 3>> &palette, const std::vector<ColourCount> &histogram)
{
    for (int round = 0; round < 6; ++round) {
        std::vector<std::array<long long, 4>> sums(palette.size(), {0, 0, 0, 0});
        for (const ColourCount &colour : histogram) {
            auto &sum = sums[nearest(palette, colour.channel)];
            for (int c = 0; c < 3; ++c)
                sum[c] += (long long)colour.channel[c] * colour.count;
            sum[3] += colour.count;
        }
        for (std::size_t i = 0; i < palette.size(); ++i) {
            const long long pixels = sums[i][3];
            if (pixels == 0)
                continue;
            for (int c = 0; c < 3; ++c)
                palette[i][c] = int((sums[i][c] + pixels / 2) / pixels);
        }
    }
}

} // namespace

QRgb unpremultiplied(QRgb pixel)
{
    const int alpha = qAlpha(pixel);
    if (alpha == 0 || alpha == 255)
        return alpha == 0 ? 0 : pixel;
    // 255 * c / alpha to the nearest whole number, an exact half going down.
    auto channel = [alpha](int premultiplied) { return (510 * premultiplied + alpha - 1) / (2 * alpha); };
    return qRgba(channel(qRed(pixel)), channel(qGreen(pixel)), channel(qBlue(pixel)), alpha);
}

QImage flattenAgainst(const QImage &image, QColor backdrop, int threshold)
{
    QImage out = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb pixel = unpremultiplied(line[x]);
            const int alpha = qAlpha(pixel);
            if (alpha < threshold) {
                line[x] = qRgba(0, 0, 0, 0);
                continue;
            }
            auto mix = [alpha](int over, int under) {
                return (over * alpha + under * (255 - alpha) + 127) / 255;
            };
            line[x] = qRgb(mix(qRed(pixel), backdrop.red()), mix(qGreen(pixel), backdrop.green()),
                           mix(qBlue(pixel), backdrop.blue()));
        }
    }
    // Every pixel is now either cleared or opaque, so the two forms hold the same values.
    out.reinterpretAsFormat(QImage::Format_ARGB32);
    return out;
}

IndexedPicture quantise(const QImage &image, int maximumColours)
{
    const QImage source = image.convertToFormat(QImage::Format_ARGB32);
    std::map<QRgb, int> counts;
    bool anyTransparent = false;
    for (int y = 0; y < source.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            if (qAlpha(line[x]) == 0)
                anyTransparent = true;
            else
                ++counts[line[x] | 0xFF000000u];
        }
    }

    const int opaqueLimit = maximumColours - (anyTransparent ? 1 : 0);
    std::vector<ColourCount> histogram;
    for (const auto &[colour, count] : counts)
        histogram.push_back({channelsOf(colour), count});
    // The most used colours come first, so that white (or the backdrop) is entry 0.
    std::stable_sort(histogram.begin(), histogram.end(),
                     [](const ColourCount &a, const ColourCount &b) { return a.count > b.count; });

    std::vector<std::array<int, 3>> palette;
    if (int(histogram.size()) <= opaqueLimit) {
        for (const ColourCount &colour : histogram)
            palette.push_back(colour.channel);
    } else {
        palette = medianCut(histogram, opaqueLimit);
        refine(palette, histogram);
    }

    IndexedPicture picture;
    picture.width = source.width();
    picture.height = source.height();
    for (const auto &colour : palette)
        picture.palette.append(qRgb(colour[0], colour[1], colour[2]));
    if (anyTransparent) {
        picture.transparentIndex = int(picture.palette.size());
        picture.palette.append(qRgb(241, 255, 241));
    }

    std::map<QRgb, std::uint8_t> lookup;
    for (const auto &[colour, count] : counts)
        lookup[colour] = std::uint8_t(nearest(palette, channelsOf(colour)));
    picture.pixels.reserve(std::size_t(source.width()) * source.height());
    for (int y = 0; y < source.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            if (qAlpha(line[x]) == 0)
                picture.pixels.push_back(std::uint8_t(picture.transparentIndex));
            else
                picture.pixels.push_back(lookup[line[x] | 0xFF000000u]);
        }
    }
    return picture;
}

} // namespace art
