#pragma once

#include "testsupport.h"
#include "tools/header/frm_genheader.h"

#include <QString>
#include <QStringList>

namespace krv::test {

// A chip entry of the View menu: the panel it shows and the model it stands for.
struct ChipEntry {
    const char* model;
    const char* form;
    void (ISMmain::*show)();
    const char* fixture;  // the blocks at the panel's start state
    const char* revision; // what the banner names; empty for a B variant
};
const ChipEntry& chipEntry(const QString& model);
QList<ChipEntry> chipEntries();

// The main window of the rig, started, with no message recorded yet.
ISMmain& startMain(Rig& rig);
// Shows the chip entry's panel as its View menu item does; returns the panel.
QWidget* showChip(ISMmain& main, const ChipEntry& entry);
// Opens the generator as its menu item does.
Frm_GenHeader* openGenerator(ISMmain& main);

// A fixture file of this folder, "\t" written as TABs, with CR LF line ends.
QString fixture(const QString& name);
// The whole header a chip entry's panel gives at its start state, with this define prefix.
QString startHeader(const ChipEntry& entry, const QString& prefix);

// The lines of the block whose define line names `define`, up to its "*/".
QStringList blockOf(const QString& header, const QString& define);

// The bytes of a file; empty when it cannot be read.
QByteArray fileBytes(const QString& path);

// Compiles a C file that includes the header and uses every valued define as an integer
// constant; the compiler's complaints, or an empty text when it compiled.
QString compileErrors(const QString& headerPath);

} // namespace krv::test
