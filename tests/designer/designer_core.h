#pragma once

#include <QString>

class QDesignerFormEditorInterface;

namespace tav {
class PieceDetailDialog;
}

namespace tav::test {

/// Qt Designer's form editor (the components Designer is built from) with the plugins of the
/// build, ours among them, initialised. Made on first use and kept for the process's lifetime,
/// as Designer keeps its own.
QDesignerFormEditorInterface& designerCore();

/// The directory of the built Designer plugin.
QString designerPluginDirectory();

/// Chooses the catalogue's last piece in `dialog` through the page's "..." button and the piece
/// selection dialog's OK; returns the name the page then holds.
QString chooseLastPiece(PieceDetailDialog& dialog);

} // namespace tav::test
