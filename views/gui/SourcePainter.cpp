// Painting the source pane.
#include "SourcePainter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QStyle>
#include <QStyleOption>

#include "ChartPainter.h"
#include "Settings.h"

namespace lumbra::gui {

QColor SourcePalette::Ink(SourceInk ink) const {
    switch (ink) {
    case SourceInk::Inactive:
        return inactive;
    case SourceInk::Definition:
        return definition;
    case SourceInk::Comment:
        return comment;
    case SourceInk::Directive:
        return directive;
    case SourceInk::Call:
        return call;
    case SourceInk::Normal:
        break;
    }
    return text;
}

SourcePalette SourcePaletteFrom(const Settings& s) {
    const auto& c = s.treeColors;
    SourcePalette p;
    p.background = ColorFromBgr(c[kColorBack]);
    p.text = ColorFromBgr(c[kColorText]);
    p.selection = ColorFromBgr(c[kColorSelect]);
    p.line = ColorFromBgr(c[kColorLine]);
    p.definition = ColorFromBgr(c[kColorModule]);
    p.comment = ColorFromBgr(c[kColorComment]);
    p.directive = ColorFromBgr(c[kColorPreProc]);
    p.highlight = ColorFromBgr(c[kColorSelLine]);
    p.inactive = ColorFromBgr(c[kColorDisable]);
    p.call = ColorFromBgr(c[kColorCall]);
    p.figure = ColorFromBgr(c[kColorBlock]);
    p.penSize = std::clamp(s.penSize, 1, 8);
    return p;
}

namespace {

QPen figurePen(const SourcePalette& p, bool highlight, FigurePen kind) {
    QPen pen(highlight ? p.highlight : p.figure);
    pen.setWidth(highlight ? p.penSize + 1 : p.penSize);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    if (kind == FigurePen::Dotted)
        pen.setDashPattern({1, 1}); // one pixel every two
    else if (kind == FigurePen::Dashed)
        pen.setDashPattern({2, 2}); // two pixels every four
    return pen;
}

void paintFoldMark(QPainter& painter, int cx, int cy, int size, const SourcePalette& p,
                   const QStyle* style, const QWidget* widget) {
    const QRect box(cx - size / 2, cy - size / 2, size, size);
    if (style) {
        QStyleOption option;
        option.rect = box.adjusted(-2, -2, 2, 2);
        option.state = QStyle::State_Children | QStyle::State_Item | QStyle::State_Enabled;
        option.palette.setColor(QPalette::Text, p.text);
        option.palette.setColor(QPalette::WindowText, p.text);
        option.palette.setColor(QPalette::Base, p.background);
        style->drawPrimitive(QStyle::PE_IndicatorBranch, &option, &painter, widget);
        return;
    }
    painter.setPen(QPen(p.line, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    painter.drawLine(cx - size / 2 + 2, cy, cx + size / 2 - 2, cy);
    painter.drawLine(cx, cy - size / 2 + 2, cx, cy + size / 2 - 2);
}

} // namespace

void PaintSource(QPainter& painter, const SourceFrame& frame, const SourcePalette& p,
                 const QFont& font, const QStyle* style, const QWidget* widget) {
    const SourceGeometry& g = frame.geometry;
    const QFontMetrics metrics(font);
    const int ascent = metrics.ascent() + std::max(0, (g.rowHeight - metrics.height()) / 2);
    painter.setFont(font);

    // Rows: selection and module-line grounds first, then the texts.
    for (const SourceRowFrame& r : frame.rows) {
        if (r.moduleLine && g.separator1 > 0)
            painter.fillRect(QRect(0, r.y, g.separator1, g.rowHeight), p.selection);
        if (r.selected)
            painter.fillRect(QRect(r.selectionX1, r.y, r.selectionX2 - r.selectionX1, g.rowHeight),
                             p.selection);
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const SourceRowFrame& r : frame.rows) {
        const int base = r.y + ascent;
        if (!r.number.empty()) {
            painter.setPen(p.text);
            painter.drawText(QPoint(0, base), QString::fromLatin1(r.number.c_str()));
        }
        if (r.target) {
            // A small pointer at the left edge marks the target line.
            const int h = std::max(3, g.rowHeight / 3);
            const int mid = r.y + g.rowHeight / 2;
            painter.setPen(Qt::NoPen);
            painter.setBrush(p.highlight);
            painter.drawPolygon(QPolygon({QPoint(0, mid - h), QPoint(h, mid), QPoint(0, mid + h)}));
            painter.setBrush(Qt::NoBrush);
        }
        if (!r.blockNumber.empty()) {
            painter.setPen(p.text);
            const QString level = QString::fromLatin1(r.blockNumber.c_str());
            const int w = metrics.horizontalAdvance(level);
            painter.drawText(QPoint(g.blockNumberX - w / 2, base), level);
        }
        // Text never runs into the number and figure area.
        painter.save();
        painter.setClipRect(QRect(g.textX, r.y, std::max(g.clientWidth - g.textX, 0), g.rowHeight));
        painter.setPen(p.Ink(r.ink));
        painter.drawText(QPoint(r.textX, base), QString::fromUtf8(r.text.c_str()));
        if (r.folded) {
            painter.drawText(QPoint(r.foldTextX, base), QStringLiteral("   ..."));
            paintFoldMark(painter, r.foldMarkX, r.y + g.rowHeight / 2, g.foldMarkSize, p, style,
                          widget);
        }
        painter.restore();
    }
    // Separators.
    painter.setPen(QPen(p.line, 1));
    const int bottom = g.clientHeight;
    if (!frame.rows.empty()) {
        if (g.separator1 > 0)
            painter.drawLine(g.separator1, 0, g.separator1, bottom);
        if (g.separator2 > 0)
            painter.drawLine(g.separator2, 0, g.separator2, bottom);
    }
    // Figures: lines, then the shapes over them.
    for (const FigureLine& l : frame.lines) {
        painter.setPen(figurePen(p, l.highlight, l.pen));
        painter.drawLine(l.x1, l.y1, l.x2, l.y2);
    }
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (const FigureShape& s : frame.shapes) {
        const QPen pen = figurePen(p, s.highlight, FigurePen::Solid);
        painter.setPen(pen);
        if (s.kind == FigureShape::Arc) {
            painter.setBrush(Qt::NoBrush);
            painter.drawArc(QRectF(s.x, s.y, s.w, s.h), s.startAngle * 16, s.spanAngle * 16);
            continue;
        }
        painter.setBrush(s.filled ? pen.color() : p.background);
        const QRectF rect(s.x + 0.5, s.y + 0.5, s.w, s.h);
        switch (s.kind) {
        case FigureShape::Polygon: {
            QPolygonF polygon;
            for (std::size_t i = 0; i + 1 < s.points.size(); i += 2)
                polygon << QPointF(s.points[i] + 0.5, s.points[i + 1] + 0.5);
            painter.drawPolygon(polygon);
            break;
        }
        case FigureShape::Ellipse:
            painter.drawEllipse(rect);
            break;
        case FigureShape::RoundBox:
            painter.drawRoundedRect(rect, s.h / 2.0, s.h / 2.0);
            break;
        case FigureShape::Box:
            painter.drawRect(rect);
            break;
        case FigureShape::DoubleBox: {
            painter.drawRect(rect);
            const double inset = std::max(1.5, s.w / 5.0);
            painter.drawLine(QPointF(rect.left() + inset, rect.top()),
                             QPointF(rect.left() + inset, rect.bottom()));
            painter.drawLine(QPointF(rect.right() - inset, rect.top()),
                             QPointF(rect.right() - inset, rect.bottom()));
            break;
        }
        case FigureShape::Arc:
            break;
        }
    }
    painter.setBrush(Qt::NoBrush);
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const FigureText& t : frame.texts) {
        const QString letter = QString::fromLatin1(t.text.c_str());
        const int w = metrics.horizontalAdvance(letter);
        painter.fillRect(QRect(t.x - w / 2 - 1, t.y, w + 2, g.rowHeight), p.background);
        painter.setPen(t.highlight ? p.highlight : p.figure);
        painter.drawText(QPoint(t.x - w / 2, t.y + ascent), letter);
    }
}

} // namespace lumbra::gui
