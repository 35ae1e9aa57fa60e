#pragma once

#include <QByteArray>
#include <QString>
#include <array>

namespace krv {

// KRV.wsp: which windows are open and where they stand, in twips. The windows are listed in
// the order of their flags in the file; each open one has a block after the flags.
struct Workspace {
    enum Window {
        Terminal,
        Eeprom,
        MivraV2,
        PelkoV1,
        DruskV1,
        Ovalt,
        DruskV1rflink,
        DruskV1rflink_LB2,
        MivraV2test,
        YambleV3,
        FRM_Zenth,
        WindowCount
    };
    struct Place {
        bool open = false;
        double top = 0;
        double left = 0;
        double height = 0; // recorded only for windows that record their size
        double width = 0;
    };

    std::array<Place, WindowCount> windows{};
    long scriptPane = 0; // the terminal's "Show script editor" box, 0 or 1

    static QString banner() { return QStringLiteral("# KRV workspace file version 1.3.4"); }
    // The form that each entry stands for.
    static QString formName(Window window);
    // Whether the block of that window holds height and width besides top and left.
    static bool recordsSize(Window window);

    QByteArray bytes() const;
    // Writes the file through QSaveFile; throws krv::Error when it cannot.
    void save(const QString& path) const;
    // Throws krv::Error: the reader's errors, and 1226 for another banner.
    static Workspace read(const QString& path);
};

} // namespace krv
