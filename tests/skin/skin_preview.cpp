// Developer tool: renders the skin's two forms to PNG files, offscreen.
//   varnelo_skin_preview [skin file] [output directory]
// Defaults: du3vor.dll beside this tool, the current directory.
#include "platform/core/AppError.h"
#include "platform/skin/TSkin.h"

#include <QApplication>
#include <QDir>
#include <QWidget>
#include <cstdio>

using varnelo::ISkinObject;

namespace {

void SetLabel(ISkinObject* form, const char* name, const QString& text) {
    if (ISkinObject* o = form->FindObject(QString::fromLatin1(name)))
        if (o->QueryLabel())
            o->QueryLabel()->SetText(text);
}

bool Render(varnelo::TSkin& skin, const QString& form, const QString& file, bool demo) {
    QWidget window;
    skin.ApplySkin(&window);
    skin.ApplySkinForm(&window, form);
    ISkinObject* root = skin.GetSkinObject(&window);
    ISkinObject* bar = root->FindObject(QStringLiteral("play_bar"));
    if (bar)
        bar->QueryElement()->SetEnabled(demo); // inactive unless something plays
    if (demo) {
        SetLabel(root, "s_time", QStringLiteral("Time: 00:03:27"));
        SetLabel(root, "s_filename", QStringLiteral("File Name: Varnelo-11-12-2024--20;14;05.OGG"));
        SetLabel(root, "s_mono", QStringLiteral("File Info: Stereo 160 kbps 44100 Hz"));
        SetLabel(root, "s_sizeson", QStringLiteral("File Size: 4096 KB"));
        if (bar)
            bar->QuerySlider()->SetPosition(370);
    }
    return window.grab().save(file);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString skinPath =
        args.size() > 1 ? args[1]
                        : QCoreApplication::applicationDirPath() + QStringLiteral("/du3vor.dll");
    const QDir out(args.size() > 2 ? args[2] : QDir::currentPath());
    try {
        varnelo::TSkin skin;
        skin.LoadSkin(skinPath);
        // Idle first: texts and positions belong to the skin's objects and stay set.
        const bool ok = Render(skin, QStringLiteral("ve3zod"),
                               out.filePath(QStringLiteral("skin-main-idle.png")), false) &&
                        Render(skin, QStringLiteral("ve3zod"),
                               out.filePath(QStringLiteral("skin-main.png")), true) &&
                        Render(skin, QStringLiteral("listwin"),
                               out.filePath(QStringLiteral("skin-list.png")), false);
        if (!ok) {
            std::fprintf(stderr, "Cannot write the pictures to %s\n", qPrintable(out.path()));
            return 1;
        }
    } catch (const varnelo::AppError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
