#include "render/RecipeBookPdf.h"

#include "core/text/MoneyFormat.h"
#include "render/PageFonts.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>

#include <algorithm>

namespace velmora {
namespace {

constexpr double kPointsPerMm = 72.0 / 25.4;
constexpr double kPageWidth = kRecipeBookPageSize.width();
constexpr double kPageHeight = kRecipeBookPageSize.height();
constexpr double kTop = 30;
constexpr double kBandPadding = 16;
constexpr double kHeadHeight = 24;
// Two lines of 8.5-point text fit a row, and a last page of 30 rows keeps
// room for the total above the footer.
constexpr double kRowHeight = 23;
constexpr double kCellPadding = 5;
constexpr double kFooterHeight = 22;
constexpr double kFooterBottom = 24;
// Fonts are made at twice their size and drawn at half scale: sizes such as
// 8.5 and 10.5 points stay exact with whole pixel sizes.
constexpr double kFontScale = 2;

QColor grey(int level) {
    return QColor(level, level, level);
}

// Text at a size in points, possibly fractional, bold or not.
struct TextStyle {
    double size = 9;
    bool bold = false;

    QFont font() const {
        return pageFont(int(size * kFontScale + 0.5), bold ? QFont::Bold : QFont::Normal);
    }
    double width(const QString& text) const {
        return QFontMetricsF(font()).horizontalAdvance(text) / kFontScale;
    }
    double lineHeight() const { return QFontMetricsF(font()).height() / kFontScale; }
    // A little air between the lines of a block.
    double leading() const { return lineHeight() + size * 0.25; }
};

const TextStyle kTitle{18, true};
const TextStyle kCompanyName{10, true};
const TextStyle kCompanyLine{9, false};
const TextStyle kPeriod{10.5, true};
const TextStyle kTableHead{8.5, true};
const TextStyle kTableRow{8.5, false};
const TextStyle kTotal{11, true};
const TextStyle kFooter{8, false};

// Draws the text in the box, on one line, shortened with "…" when too wide.
void drawLine(QPainter& painter, const QRectF& box, const QString& text, const TextStyle& style,
              const QColor& color, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter) {
    const QFont font = style.font();
    const QString shown =
        QFontMetricsF(font).elidedText(text, Qt::ElideRight, box.width() * kFontScale);
    painter.save();
    painter.setFont(font);
    painter.setPen(color);
    painter.translate(box.topLeft());
    painter.scale(1 / kFontScale, 1 / kFontScale);
    painter.drawText(QRectF(QPointF(0, 0), box.size() * kFontScale), int(alignment), shown);
    painter.restore();
}

// Draws the text on up to two lines in the box, vertically centred; what does
// not fit the second line is shortened with "…".
void drawCell(QPainter& painter, const QRectF& box, const QString& text, const TextStyle& style,
              const QColor& color, Qt::Alignment horizontal) {
    const QString flat = QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')).simplified();
    const QFont font = style.font();
    const QFontMetricsF metrics(font);
    const double width = box.width() * kFontScale;
    if (metrics.horizontalAdvance(flat) <= width) {
        drawLine(painter, box, flat, style, color, horizontal | Qt::AlignVCenter);
        return;
    }
    QTextLayout layout(flat, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine first = layout.createLine();
    first.setLineWidth(width);
    layout.endLayout();
    const QString firstText = flat.left(first.textLength()).trimmed();
    const QString rest = flat.mid(first.textLength()).trimmed();
    const double line = style.lineHeight();
    const double top = box.top() + (box.height() - 2 * line) / 2;
    drawLine(painter, QRectF(box.left(), top, box.width(), line), firstText, style, color,
             horizontal | Qt::AlignVCenter);
    drawLine(painter, QRectF(box.left(), top + line, box.width(), line), rest, style, color,
             horizontal | Qt::AlignVCenter);
}

void drawBox(QPainter& painter, const QRectF& box, int fill, int stroke, double radius) {
    painter.save();
    painter.setPen(QPen(grey(stroke), 0.8));
    painter.setBrush(grey(fill));
    painter.drawRoundedRect(box, radius, radius);
    painter.restore();
}

class PagePainter {
public:
    PagePainter(QPainter& painter, const LivreRecettesPDFPage& page)
        : m_painter(painter), m_page(page) {
        for (const double mm : page.colWidthsMm)
            m_columns << mm * kPointsPerMm;
        double width = 0;
        for (const double column : m_columns)
            width += column;
        m_left = (kPageWidth - width) / 2;
        m_width = width;
    }

    void paint() {
        m_painter.fillRect(QRectF(QPointF(0, 0), kRecipeBookPageSize), Qt::white);
        double y = kTop;
        if (m_page.showHeader)
            y = header(y) + 18;
        y = table(y);
        if (m_page.showTotal)
            total(y + 12);
        footer();
    }

private:
    double header(double top) {
        const LivreRecettesGreys& g = m_page.greys;
        const double inner = m_width - 2 * kBandPadding;
        const double x = m_left + kBandPadding;

        // The period sits on the title's line, at the right.
        const double pillHeight = 22;
        const double pillWidth = std::min(kPeriod.width(m_page.periodText) + 22, inner * 0.55);
        const double titleHeight = std::max(kTitle.lineHeight(), pillHeight);
        double y = top + kBandPadding;
        const QRectF titleBox(x, y, inner - pillWidth - 12, titleHeight);
        const QRectF pill(m_left + m_width - kBandPadding - pillWidth,
                          y + (titleHeight - pillHeight) / 2, pillWidth, pillHeight);
        y += titleHeight;

        const QString name = m_page.recipeSettings.companyName.trimmed();
        const QStringList lines = m_page.companyLines();
        double blockHeight = 0;
        if (!name.isEmpty() || !lines.isEmpty()) {
            blockHeight = 2 * 10 + (name.isEmpty() ? 0 : kCompanyName.leading() + 2) +
                          lines.size() * kCompanyLine.leading();
            y += 12 + blockHeight;
        }
        const QRectF band(m_left, top, m_width, y + kBandPadding - top);
        drawBox(m_painter, band, g.headerBackground, g.headerStroke, 8);
        drawLine(m_painter, titleBox, m_page.printedTitle(), kTitle, Qt::white);
        drawBox(m_painter, pill, g.periodBackground, g.periodStroke, pillHeight / 2);
        drawLine(m_painter, pill.adjusted(11, 0, -11, 0), m_page.periodText, kPeriod,
                 grey(g.subtitleText), Qt::AlignCenter);

        if (blockHeight > 0) {
            const QRectF block(x, top + kBandPadding + titleHeight + 12, inner, blockHeight);
            drawBox(m_painter, block, g.innerBackground, g.innerStroke, 6);
            double lineY = block.top() + 10;
            const double textX = block.left() + 12;
            const double textWidth = block.width() - 24;
            if (!name.isEmpty()) {
                drawLine(m_painter, QRectF(textX, lineY, textWidth, kCompanyName.lineHeight()),
                         name, kCompanyName, Qt::white);
                lineY += kCompanyName.leading() + 2;
            }
            for (const QString& line : lines) {
                drawLine(m_painter, QRectF(textX, lineY, textWidth, kCompanyLine.lineHeight()),
                         line, kCompanyLine, grey(g.subtitleText));
                lineY += kCompanyLine.leading();
            }
        }
        return band.bottom();
    }

    Qt::Alignment columnAlignment(qsizetype column) const {
        return column + 1 == m_columns.size() ? Qt::AlignRight : Qt::AlignLeft;
    }

    QStringList cells(const LivreRecettesRow& row) const {
        return {row.date,   row.number,     row.client,
                row.nature, row.settlement, formatMoney(row.amount)};
    }

    double table(double top) {
        const LivreRecettesGreys& g = m_page.greys;
        // The head band with rounded top corners only.
        const QColor headFill = grey(g.tableHeadBackground);
        m_painter.save();
        m_painter.setPen(Qt::NoPen);
        m_painter.setBrush(headFill);
        m_painter.drawRoundedRect(QRectF(m_left, top, m_width, kHeadHeight), 5, 5);
        m_painter.fillRect(QRectF(m_left, top + kHeadHeight / 2, m_width, kHeadHeight / 2),
                           headFill);
        m_painter.restore();
        double x = m_left;
        for (qsizetype c = 0; c < m_columns.size(); ++c) {
            const QRectF cell(x + kCellPadding, top, m_columns[c] - 2 * kCellPadding, kHeadHeight);
            drawLine(m_painter, cell, m_page.headers.value(c), kTableHead, grey(g.subtitleText),
                     columnAlignment(c) | Qt::AlignVCenter);
            x += m_columns[c];
        }

        double y = top + kHeadHeight;
        const QPen rule(grey(g.tableLines), 0.5);
        for (qsizetype r = 0; r < m_page.rows.size(); ++r) {
            const QRectF rowBox(m_left, y, m_width, kRowHeight);
            const bool alternate = (r % 2 == 1) != m_page.firstRowIsAlt;
            if (alternate)
                m_painter.fillRect(rowBox, grey(g.alternateRow));
            const QStringList texts = cells(m_page.rows[r]);
            x = m_left;
            for (qsizetype c = 0; c < m_columns.size(); ++c) {
                const QRectF cell(x + kCellPadding, y, m_columns[c] - 2 * kCellPadding, kRowHeight);
                drawCell(m_painter, cell, texts.value(c), kTableRow, grey(g.tableText),
                         columnAlignment(c));
                x += m_columns[c];
            }
            m_painter.setPen(rule);
            m_painter.drawLine(QPointF(m_left, y + kRowHeight),
                               QPointF(m_left + m_width, y + kRowHeight));
            y += kRowHeight;
        }
        // The outline of the rows, under the head.
        m_painter.setPen(rule);
        m_painter.setBrush(Qt::NoBrush);
        m_painter.drawLine(QPointF(m_left, top + kHeadHeight), QPointF(m_left, y));
        m_painter.drawLine(QPointF(m_left + m_width, top + kHeadHeight),
                           QPointF(m_left + m_width, y));
        return y;
    }

    void total(double top) {
        const LivreRecettesGreys& g = m_page.greys;
        const QString text = m_page.totalText();
        const double height = 28;
        const double width = kTotal.width(text) + 32;
        const QRectF box(m_left + m_width - width, top, width, height);
        drawBox(m_painter, box, g.alternateRow, g.tableLines, 5);
        drawLine(m_painter, box.adjusted(16, 0, -16, 0), text, kTotal, grey(g.tableText),
                 Qt::AlignRight | Qt::AlignVCenter);
    }

    void footer() {
        const LivreRecettesGreys& g = m_page.greys;
        const QRectF band(m_left, kPageHeight - kFooterBottom - kFooterHeight, m_width,
                          kFooterHeight);
        drawBox(m_painter, band, g.headerBackground, g.footerStroke, 5);
        const QRectF text = band.adjusted(12, 0, -12, 0);
        drawLine(m_painter, text, m_page.footerDate(), kFooter, grey(g.footerText),
                 Qt::AlignLeft | Qt::AlignVCenter);
        drawLine(m_painter, text, m_page.footerPage(), kFooter, grey(g.footerText),
                 Qt::AlignRight | Qt::AlignVCenter);
    }

    QPainter& m_painter;
    const LivreRecettesPDFPage& m_page;
    QList<double> m_columns;
    double m_left = 0;
    double m_width = 0;
};

} // namespace

void renderRecipeBookPage(QPainter& painter, const LivreRecettesPDFPage& page) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    PagePainter(painter, page).paint();
    painter.restore();
}

QByteArray renderRecipeBookPDF(const QList<LivreRecettesPDFPage>& pages,
                               const RecipePageProgress& progress) {
    if (pages.isEmpty())
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly))
        return {};
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(
            QPageSize(kRecipeBookPageSize, QPageSize::Point, QString(), QPageSize::ExactMatch));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
        // One device unit per point: the page's coordinates are its own.
        writer.setResolution(72);
        writer.setTitle(pages.constFirst().printedTitle());
        writer.setCreator(QStringLiteral("Velmora Core"));
        QPainter painter;
        if (!painter.begin(&writer))
            return {};
        for (qsizetype i = 0; i < pages.size(); ++i) {
            if (progress && !progress(int(i) + 1, int(pages.size()))) {
                painter.end();
                return {};
            }
            if (i > 0 && !writer.newPage())
                return {};
            renderRecipeBookPage(painter, pages[i]);
        }
        if (!painter.end())
            return {};
    }
    return bytes;
}

} // namespace velmora
