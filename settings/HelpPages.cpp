#include "settings/HelpPages.h"

#include <QPlainTextEdit>

namespace varnelo {

const std::array<QStringList, 4>& RecordingSourceHelpTexts() {
    static const std::array<QStringList, 4> texts = {
        QStringList{
            R"(Record from Windows audio resource:)",
            R"()",
            R"(1) Audio from Windows Media Player, )",
            R"(Winamp,RealOne player, QuickTime Player, )",
            R"(CD/DVD Players Software, Streaming Internet...)",
            R"(Select "Stereo Mixer" Different sound cards )",
            R"(have the different names for recording devices. )",
            R"(For example: "Stereo Mixer" might appear as )",
            R"("What U hear", "Output", "Mixer". )",
            R"()",
            R"(2) Choose the output format and set its )",
            R"(parameters. Set the output directory for your files.)",
            R"()",
            R"(3) Click the Record Button to begin recording)",
        },
        QStringList{
            R"(Record from Microphone)",
            R"()",
            R"(1) Select "Microphone" or the equivalent in the )",
            R"(Recording Device list. Adjust the recording )",
            R"(volume for the lowest possible performance. )",
            R"()",
            R"(2)  Choose the output format and set its )",
            R"(parameters. Set the output directory for your files.)",
            R"()",
            R"(3) Click the "Record" Button to begin recording )",
            R"(sound from the mic. )",
            R"()",
        },
        QStringList{
            R"(Record from external audio sources:)",
            R"()",
            R"(1) Select "Line-In" or the equivalent in the )",
            R"(Recording Device list. Adjust the recording )",
            R"(volume for the lowest possible performance. )",
            R"()",
            R"(2) Choose the output format and set its )",
            R"(parameters. Set the output directory for your files.)",
            R"()",
            R"(3) Click the Record Button to begin recording. )",
        },
        QStringList{
            R"(Record from TVtuner:)",
            R"()",
            R"(1) Please select"TV Tuner Audio".)",
            R"()",
            R"(2) Choose the output format and set its )",
            R"(parameters. Set the output directory for your files.)",
            R"()",
            R"(3) Click the Record Button to begin recording. )",
            R"()",
        },
    };
    return texts;
}

QPlainTextEdit* MakeHelpPage(QWidget* parent, int page) {
    auto* memo = new QPlainTextEdit(parent);
    memo->setReadOnly(true);
    memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memo->setPlainText(RecordingSourceHelpTexts()[size_t(page)].join(QLatin1Char('\n')));
    memo->setVisible(page == 0);
    return memo;
}

void TurnHelpPage(const std::array<QPlainTextEdit*, 4>& pages, int step) {
    // isHidden: the page's own state, also while the window is not on screen.
    for (int i = 0; i < 4; ++i) {
        if (pages[size_t(i)]->isHidden())
            continue;
        pages[size_t(i)]->hide();
        pages[size_t((i + step + 4) % 4)]->show();
        return;
    }
}

} // namespace varnelo
