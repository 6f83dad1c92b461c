// Refreshing the preview of a project whose sections total about 14 MB, against a bare
// QPlainTextEdit::setPlainText of the same text. Run by bench/gui_bench.sh.

#include "app/DialogService.h"
#include "app/MAINForm.h"
#include "app/PreviewPage.h"
#include "app/Startup.h"
#include "controls/Fonts.h"
#include "text/cp932.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTranslator>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

namespace {

// One section of about size bytes: CR LF lines of ASCII and Japanese, short and long, about a
// fifth of them wider than the wrap width.
std::string MakeSection(std::size_t size, std::mt19937& rng) {
    const std::string words[] = {
        "Brindlewocket",  "readme",  bw::Sjis("説明書"),           bw::Sjis("インストール"),
        bw::Sjis("ｶﾀｶﾅ"), "version", bw::Sjis("漢字かな交じり文"), "a"};
    std::string text;
    text.reserve(size + 200);
    while (text.size() < size) {
        const std::size_t width = rng() % 5 == 0 ? 80 + rng() % 120 : 10 + rng() % 60;
        std::size_t line = 0;
        while (line < width) {
            const std::string& w = words[rng() % std::size(words)];
            text += w;
            text += ' ';
            line += w.size() + 1;
        }
        text += "\r\n";
    }
    return text;
}

double MedianMs(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QTranslator translator;
    bw::gui::PrepareApplication(translator);
    int runs = 5;
    double sizeMb = 14;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--runs")) runs = std::max(1, std::atoi(argv[i + 1]));
        if (!std::strcmp(argv[i], "--size-mb")) sizeMb = std::atof(argv[i + 1]);
    }

    QTemporaryDir home;
    bw::gui::WidgetDialogService dialogs;
    bw::gui::TMAIN window(home.path().toStdString(), (home.path() + QStringLiteral("/bw.ini")).toStdString(),
                          dialogs);
    std::mt19937 rng(4);
    std::size_t total = 0;
    for (std::string& section : window.record().SectionText) {
        section = MakeSection(static_cast<std::size_t>(sizeMb * 1024 * 1024 / bw::kSectionCount), rng);
        total += section.size();
    }
    window.show();
    // The user looks at the preview page and presses "更新".
    window.findChild<QAction*>(QStringLiteral("mnPreview1"))->trigger();
    QPlainTextEdit* preview = window.previewPage()->previewText();
    QPlainTextEdit bare;
    bare.setReadOnly(true);
    bare.setLineWrapMode(QPlainTextEdit::NoWrap);
    bare.setFont(bw::gui::FixedPitchFont(14));
    bare.resize(preview->size());
    bare.show();

    // Both editors start out holding the text, so each run replaces 14 MB with 14 MB.
    window.previewPage()->Refresh();
    const QString text = preview->toPlainText();
    bare.setPlainText(text);
    QApplication::processEvents();

    std::vector<double> refresh, baseline, compose;
    QElapsedTimer t;
    for (int r = 0; r < runs; ++r) {
        t.start();
        window.previewPage()->Refresh();
        QApplication::processEvents();
        refresh.push_back(t.nsecsElapsed() / 1e6);

        t.start();
        bare.setPlainText(text);
        QApplication::processEvents();
        baseline.push_back(t.nsecsElapsed() / 1e6);

        bw::ComposerState state;
        t.start();
        bw::RefreshPreview(state, window.record(), window.previewPage()->CurrentHeader(),
                           home.path().toStdString());
        compose.push_back(t.nsecsElapsed() / 1e6);
    }
    const double a = MedianMs(refresh), b = MedianMs(baseline);
    std::printf("sections: %.1f MB in %d lines shown\n", total / 1048576.0, preview->blockCount());
    std::printf("preview refresh (compose, convert, show): %8.1f ms (median of %d)\n", a, runs);
    std::printf("  of which composing (RefreshPreview):    %8.1f ms\n", MedianMs(compose));
    std::printf("bare QPlainTextEdit::setPlainText:         %8.1f ms\n", b);
    std::printf("ratio %.2f (target <= 1.5)\n", a / b);
    return 0;
}
