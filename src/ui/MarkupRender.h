#pragma once
// The two renderers of card value markup: the card text box and list cells.

#include <QColor>
#include <QRect>
#include <string_view>

class QPainter;
class QTextEdit;
class TRTFtoHtml;

// Shows the text in the read-only card text box with the formatting of its
// tags, relative to the box's font and its palette's text colour. A text whose
// markup cannot be parsed is shown as far as it was processed, with the tags
// met before the fault.
void RenderTo(QTextEdit* box, std::u16string_view text, TRTFtoHtml& markup);

// Paints one list cell's text into the rectangle with the painter's font, in
// the cell colour except where "font" tags colour it, with bold, italic and
// underline switched by tags, and "..." where the text does not fit. A text
// without tags, or one whose markup cannot be parsed, is drawn unformatted
// and elided the usual way. The painter's state is left as it was.
void PaintCell(QPainter* painter, const QRect& rect, std::u16string_view text, const QColor& cellColor,
               TRTFtoHtml& markup);
