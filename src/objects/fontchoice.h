#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <optional>

class QWidget;

namespace qv::objects {

// The font of a text and the colour of its letters, as the font dialog reads and sets them.
struct FontStyle {
    QString name;
    double size = 10;  // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    qint64 color = 0;  // 0x00BBGGRR or a system colour

    QFont font() const;
    static FontStyle of(const QFont& font, qint64 color);
};

// The whole size the font dialog opens on for a size in tenths of a point.
int startPointSize(int tenths);

// Lets the user choose a font and colour, starting from the first target's and a size in
// tenths of a point. A choice sets the first target wholly; the second target takes face,
// size and colour, and of the styles only those chosen (a style it has stays). Nothing
// changes without a choice. An empty font list is told and changes nothing.
void showFontDialog(FontStyle& first, FontStyle& second, int tenths, QWidget* owner,
                    const QStringList& families);
void showFontDialog(FontStyle& first, FontStyle& second, int tenths, QWidget* owner);

// The colour dialog of the objects' options: it opens on black, with the sixteen custom
// colours set back to white each time. Nothing when the user chose none.
std::optional<qint64> chooseObjectColor(QWidget* owner);

}  // namespace qv::objects
