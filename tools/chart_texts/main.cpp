// Writes the texts of a sample of charts (tools/chart_texts/chart_texts.h),
// compressed: moments from 1800 to 2100, places at every latitude (beyond the
// polar circles too), every house system, the true and the mean node and black
// moon. Run it in a data folder that holds the correction tables.
//
//   gen_chart_texts <out-file> [charts]     (default 20000)
#include <QByteArray>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "tools/chart_texts/chart_texts.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: gen_chart_texts <out-file> [charts]\n");
        return 2;
    }
    chart_texts::Fixture fixture;
    fixture.seed = 20241208;
    fixture.charts = static_cast<std::uint32_t>(argc > 2 ? std::atoi(argv[2]) : 20000);
    const auto sample = chart_texts::SampleCharts(fixture.seed, static_cast<int>(fixture.charts));
    for (std::uint32_t c = 0; c < fixture.charts; ++c) {
        const auto texts = chart_texts::ComputeChartTexts(sample[c]);
        if (c == 0) {
            for (const auto& t : texts) fixture.kinds.push_back(t.kind);
            fixture.codes.assign(texts.size(), std::vector<std::uint32_t>(fixture.charts, 0));
        }
        for (std::size_t t = 0; t < texts.size(); ++t) {
            const auto code = chart_texts::EncodeText(texts[t].kind, texts[t].text);
            if (!code) {
                std::fprintf(stderr, "gen_chart_texts: %s, %s: \"%s\" has no number of its kind\n",
                             chart_texts::InputText(sample[c]).c_str(), texts[t].what.c_str(), texts[t].text.c_str());
                return 1;
            }
            fixture.codes[t][c] = *code;
        }
    }
    const std::string bytes = chart_texts::PackFixture(fixture);
    const QByteArray packed = qCompress(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())), 9);
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(packed.constData(), packed.size());
    if (!out) {
        std::fprintf(stderr, "gen_chart_texts: cannot write %s\n", argv[1]);
        return 1;
    }
    std::printf("%u charts of %zu texts: %zu bytes, %lld compressed\n", fixture.charts, fixture.kinds.size(),
                bytes.size(), static_cast<long long>(packed.size()));
    return 0;
}
