#include "render/DocumentRenderer.h"

#include "render/PageFonts.h"
#include "render/PaymentMethodIcons.h"
#include "render/PdfPages.h"

#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace velmora {
namespace {

constexpr double kPageWidth = kDocumentPageSize.width();
constexpr double kPageHeight = kDocumentPageSize.height();
constexpr double kMarginX = 48;
constexpr double kTop = 44;
constexpr double kBottom = 36;
constexpr double kContentWidth = kPageWidth - 2 * kMarginX;
constexpr double kCellPadding = 8;

const QColor kInk(0x1d, 0x23, 0x2e);
const QColor kMuted(0x5f, 0x67, 0x74);
const QColor kRule(0xdc, 0xe0, 0xe6);
const QColor kAccent(0x1f, 0x3d, 0x63);
const QColor kCard(0xf3, 0xf5, 0xf8);
const QColor kAlert(0xb4, 0x23, 0x18);

// A paragraph laid out once at its width; drawn as real text.
struct Block {
    std::shared_ptr<QTextLayout> layout;
    double height = 0;
    double naturalWidth = 0;
};

// "**…**" is emphasis: the markers go, the text between them turns bold. A
// marker without its closing pair stays as typed.
Block layoutText(const QString& text, const QFont& font, double width,
                 Qt::Alignment alignment = Qt::AlignLeft, double lineSpacing = 1.22) {
    QString plain;
    QList<QTextLayout::FormatRange> bold;
    qsizetype pos = 0;
    while (pos < text.size()) {
        const qsizetype open = text.indexOf(QLatin1String("**"), pos);
        const qsizetype close = open < 0 ? -1 : text.indexOf(QLatin1String("**"), open + 2);
        if (close < 0)
            break;
        plain += QStringView(text).mid(pos, open - pos);
        QTextLayout::FormatRange range;
        range.start = int(plain.size());
        range.length = int(close - open - 2);
        range.format.setFontWeight(QFont::Bold);
        plain += QStringView(text).mid(open + 2, close - open - 2);
        bold.append(range);
        pos = close + 2;
    }
    plain += QStringView(text).mid(pos);
    // Line breaks typed by the user stay line breaks.
    plain.replace(QLatin1Char('\n'), QChar::LineSeparator);

    Block block;
    block.layout = std::make_shared<QTextLayout>(plain, font);
    if (plain.isEmpty()) // no line, no height
        return block;
    QTextOption option(alignment);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setUseDesignMetrics(true);
    block.layout->setTextOption(option);
    block.layout->setFormats(bold);
    block.layout->beginLayout();
    for (QTextLine line = block.layout->createLine(); line.isValid();
         line = block.layout->createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, block.height));
        block.height += line.height() * lineSpacing;
        block.naturalWidth = std::max(block.naturalWidth, line.naturalTextWidth());
    }
    block.layout->endLayout();
    if (block.height > 0) // no spacing below the last line
        block.height -=
            block.layout->lineAt(block.layout->lineCount() - 1).height() * (lineSpacing - 1);
    return block;
}

// The page is laid out first, as a list of drawing steps with their final
// positions, so that its height is known before anything is painted.
class PageCanvas {
public:
    void text(const Block& block, QPointF at, const QColor& color) {
        m_steps.push_back([block, at, color](QPainter& p) {
            p.setPen(color);
            block.layout->draw(&p, at);
        });
    }
    void rect(const QRectF& rect, const QColor& fill, double radius = 0) {
        m_steps.push_back([rect, fill, radius](QPainter& p) {
            p.setPen(Qt::NoPen);
            p.setBrush(fill);
            if (radius > 0)
                p.drawRoundedRect(rect, radius, radius);
            else
                p.drawRect(rect);
        });
    }
    void line(QPointF from, QPointF to, const QColor& color, double width = 0.75) {
        m_steps.push_back([from, to, color, width](QPainter& p) {
            p.setPen(QPen(color, width));
            p.drawLine(from, to);
        });
    }
    void custom(std::function<void(QPainter&)> step) { m_steps.push_back(std::move(step)); }

    void paint(QPainter& painter) const {
        for (const auto& step : m_steps)
            step(painter);
    }

private:
    std::vector<std::function<void(QPainter&)>> m_steps;
};

class PageLayout {
public:
    PageLayout(const DocumentPageContent& page, const DocumentLogo& logo, MissingLogo missingLogo)
        : m_page(page), m_logo(logo), m_missingLogo(missingLogo) {}

    // The height the content needs, footer included.
    double build() {
        double y = header(kTop);
        y = title(y + 30);
        y = cards(y + 22);
        y = table(y + 28);
        y = totals(y + 16);
        y = payment(y + 30);
        return footer(y + 28);
    }
    const PageCanvas& canvas() const { return m_canvas; }

private:
    double header(double y) {
        const QRectF logoBox(kMarginX, y, 150, 80);
        if (m_logo.isNull() && m_missingLogo == MissingLogo::placeholder) {
            const Block placeholder =
                layoutText(QStringLiteral("VOTRE") + QChar::LineSeparator + QStringLiteral("LOGO"),
                           pageFont(13, QFont::Bold), logoBox.width(), Qt::AlignHCenter, 1.1);
            m_canvas.custom([logoBox](QPainter& p) {
                QPen pen(kRule, 1, Qt::DashLine);
                p.setPen(pen);
                p.setBrush(QColor(0xfa, 0xfb, 0xfc));
                p.drawRoundedRect(logoBox.adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
            });
            m_canvas.text(placeholder,
                          QPointF(logoBox.left(), logoBox.center().y() - placeholder.height / 2),
                          QColor(0xa3, 0xab, 0xb6));
        } else if (!m_logo.isNull()) {
            const DocumentLogo logo = m_logo;
            m_canvas.custom([logo, logoBox](QPainter& p) { logo.draw(p, logoBox); });
        }

        const double width = 340;
        const double x = kMarginX + kContentWidth - width;
        double cy = y;
        if (!m_page.companyName.isEmpty()) {
            const Block name =
                layoutText(m_page.companyName, pageFont(17, QFont::Bold), width, Qt::AlignRight);
            m_canvas.text(name, QPointF(x, cy), kInk);
            cy += name.height + 6;
        }
        for (const QString& line : m_page.companyLines) {
            const Block block = layoutText(line, pageFont(10), width, Qt::AlignRight);
            m_canvas.text(block, QPointF(x, cy), kMuted);
            cy += block.height + 2;
        }
        return std::max(logoBox.bottom(), cy);
    }

    double title(double y) {
        const Block block = layoutText(m_page.title, pageFont(26, QFont::Bold), kContentWidth);
        m_canvas.text(block, QPointF(kMarginX, y), kAccent);
        y += block.height + 8;
        m_canvas.rect(QRectF(kMarginX, y, 44, 3), kAccent, 1.5);
        return y + 3;
    }

    double cards(double y) {
        constexpr double gap = 16;
        constexpr double pad = 14;
        const double width = (kContentWidth - gap) / 2;
        const double inner = width - 2 * pad;

        PageCanvas left;
        double ly = y + pad;
        const Block infoTitle = layoutText(m_page.infoCardTitle, pageFont(11, QFont::Bold), inner);
        left.text(infoTitle, QPointF(kMarginX + pad, ly), kAccent);
        ly += infoTitle.height + 8;
        for (const DocumentPageContent::Row& row : m_page.infoRows) {
            const Block label = layoutText(row.label, pageFont(10), 120);
            const Block value = layoutText(row.value, pageFont(10, QFont::DemiBold), inner - 120);
            left.text(label, QPointF(kMarginX + pad, ly), kMuted);
            left.text(value, QPointF(kMarginX + pad + 120, ly), kInk);
            ly += std::max(label.height, value.height) + 5;
        }

        PageCanvas right;
        const double rx = kMarginX + width + gap + pad;
        double ry = y + pad;
        const Block clientTitle =
            layoutText(m_page.clientCardTitle, pageFont(11, QFont::Bold), inner);
        right.text(clientTitle, QPointF(rx, ry), kAccent);
        ry += clientTitle.height + 8;
        if (m_page.clientName.isEmpty()) {
            const Block none =
                layoutText(m_page.noClientText, pageFont(10, QFont::Normal, true), inner);
            right.text(none, QPointF(rx, ry), kMuted);
            ry += none.height + 5;
        } else {
            const Block name = layoutText(m_page.clientName, pageFont(11, QFont::Bold), inner);
            right.text(name, QPointF(rx, ry), kInk);
            ry += name.height + 4;
            for (const QString& line : m_page.clientLines) {
                const Block block = layoutText(line, pageFont(10), inner);
                right.text(block, QPointF(rx, ry), kInk);
                ry += block.height + 2;
            }
            ry += 3;
        }

        const double bottom = std::max(ly, ry) - 5 + pad;
        m_canvas.rect(QRectF(kMarginX, y, width, bottom - y), kCard, 6);
        m_canvas.rect(QRectF(kMarginX + width + gap, y, width, bottom - y), kCard, 6);
        m_canvas.custom([left](QPainter& p) { left.paint(p); });
        m_canvas.custom([right](QPainter& p) { right.paint(p); });
        return bottom;
    }

    double table(double y) {
        QList<double> widths{kNameColumnWidth, 0};
        if (m_page.showsUnitColumns)
            widths << kUnitPriceColumnWidth << kQuantityColumnWidth;
        widths << kPriceColumnWidth;
        double fixed = 0;
        for (const double w : widths)
            fixed += w;
        widths[1] = kContentWidth - fixed;
        QList<double> xs;
        double x = kMarginX;
        for (const double w : widths) {
            xs << x;
            x += w;
        }
        const auto cellWidth = [&](qsizetype column) { return widths[column] - 2 * kCellPadding; };
        const auto alignmentOf = [](qsizetype column) {
            return column >= 2 ? Qt::AlignRight : Qt::AlignLeft;
        };

        constexpr double headerHeight = 26;
        m_canvas.rect(QRectF(kMarginX, y, kContentWidth, headerHeight), kAccent, 3);
        for (qsizetype c = 0; c < m_page.columns.size() && c < widths.size(); ++c) {
            const Block head = layoutText(m_page.columns[c], pageFont(9, QFont::Bold), cellWidth(c),
                                          alignmentOf(c));
            m_canvas.text(head, QPointF(xs[c] + kCellPadding, y + (headerHeight - head.height) / 2),
                          Qt::white);
        }
        y += headerHeight;

        if (m_page.lines.isEmpty()) {
            const Block none = layoutText(m_page.noLinesText, pageFont(10, QFont::Normal, true),
                                          kContentWidth, Qt::AlignHCenter);
            m_canvas.text(none, QPointF(kMarginX, y + 16), kMuted);
            y += none.height + 32;
            m_canvas.line(QPointF(kMarginX, y), QPointF(kMarginX + kContentWidth, y), kRule);
            return y;
        }

        constexpr double rowPadding = 9;
        const qsizetype priceColumn = widths.size() - 1;
        bool shaded = false;
        for (const DocumentPageContent::Line& line : m_page.lines) {
            const Block name = layoutText(line.title, pageFont(10, QFont::DemiBold), cellWidth(0));
            const Block details = layoutText(line.details, pageFont(9), cellWidth(1));
            const Block note =
                layoutText(line.note, pageFont(8, QFont::Normal, true), cellWidth(1));
            const Block price = layoutText(line.price, pageFont(10, QFont::DemiBold),
                                           cellWidth(priceColumn), Qt::AlignRight);
            double height =
                std::max({name.height, details.height + (note.height > 0 ? note.height + 3 : 0),
                          price.height});
            std::optional<Block> unit;
            std::optional<Block> quantity;
            if (m_page.showsUnitColumns) {
                unit = layoutText(line.unitPrice, pageFont(10), cellWidth(2), Qt::AlignRight);
                quantity = layoutText(line.quantity, pageFont(10), cellWidth(3), Qt::AlignRight);
                height = std::max({height, unit->height, quantity->height});
            }
            height += 2 * rowPadding;
            if (shaded)
                m_canvas.rect(QRectF(kMarginX, y, kContentWidth, height), QColor(0xf8, 0xf9, 0xfb));
            shaded = !shaded;
            const double ty = y + rowPadding;
            m_canvas.text(name, QPointF(xs[0] + kCellPadding, ty), kInk);
            m_canvas.text(details, QPointF(xs[1] + kCellPadding, ty), kMuted);
            if (note.height > 0)
                m_canvas.text(note,
                              QPointF(xs[1] + kCellPadding,
                                      ty + details.height + (details.height > 0 ? 3 : 0)),
                              kMuted);
            if (unit) {
                m_canvas.text(*unit, QPointF(xs[2] + kCellPadding, ty), kInk);
                m_canvas.text(*quantity, QPointF(xs[3] + kCellPadding, ty), kInk);
            }
            m_canvas.text(price, QPointF(xs[priceColumn] + kCellPadding, ty),
                          line.offered ? kAccent : kInk);
            y += height;
            m_canvas.line(QPointF(kMarginX, y), QPointF(kMarginX + kContentWidth, y), kRule);
        }
        return y;
    }

    double totals(double y) {
        constexpr double width = 300;
        constexpr double pad = 12;
        const double x = kMarginX + kContentWidth - width;
        const double inner = width - 2 * pad;
        for (const DocumentPageContent::Total& total : m_page.totals) {
            if (total.isGrandTotal) {
                y += 6;
                QFont amountFont = pageFont(14, QFont::Bold);
                amountFont.setStrikeOut(total.struckThrough);
                const Block label = layoutText(total.label, pageFont(12, QFont::Bold), inner / 2);
                const Block amount = layoutText(total.amount, amountFont, inner, Qt::AlignRight);
                const double height = std::max(label.height, amount.height) + 18;
                // A balance no longer due loses the colour of a total to pay.
                m_canvas.rect(QRectF(x, y, width, height), total.struckThrough ? kMuted : kAccent,
                              4);
                m_canvas.text(label, QPointF(x + pad, y + (height - label.height) / 2), Qt::white);
                m_canvas.text(amount, QPointF(x + pad, y + (height - amount.height) / 2),
                              Qt::white);
                y += height;
                continue;
            }
            const Block label = layoutText(total.label, pageFont(10), inner * 0.6);
            const Block amount = layoutText(total.amount, pageFont(10), inner, Qt::AlignRight);
            m_canvas.text(label, QPointF(x + pad, y + 4), kMuted);
            m_canvas.text(amount, QPointF(x + pad, y + 4), kInk);
            y += std::max(label.height, amount.height) + 8;
            m_canvas.line(QPointF(x, y), QPointF(x + width, y), kRule, 0.5);
        }
        if (!m_page.cancelledNote.isEmpty()) {
            const Block note = layoutText(m_page.cancelledNote, pageFont(10, QFont::DemiBold, true),
                                          width, Qt::AlignRight);
            m_canvas.text(note, QPointF(x, y + 8), kAlert);
            y += note.height + 8;
        }
        return y;
    }

    double payment(double y) {
        const Block heading =
            layoutText(m_page.paymentHeading, pageFont(13, QFont::Bold), kContentWidth);
        m_canvas.text(heading, QPointF(kMarginX, y), kAccent);
        y += heading.height + 6;
        m_canvas.line(QPointF(kMarginX, y), QPointF(kMarginX + kContentWidth, y), kRule);
        y += 12;

        constexpr double bankWidth = 250;
        constexpr double gap = 24;
        const bool bank = !m_page.bankRows.isEmpty();
        const double width = bank ? kContentWidth - bankWidth - gap : kContentWidth;
        double ly = y;
        const auto paragraph = [&](const QString& text, const QFont& font, const QColor& color,
                                   double after) {
            const Block block = layoutText(text, font, width);
            m_canvas.text(block, QPointF(kMarginX, ly), color);
            ly += block.height + after;
        };
        paragraph(m_page.termsLabel, pageFont(10, QFont::Bold), kInk, 3);
        paragraph(m_page.termsSentence, pageFont(10), kInk, 12);
        paragraph(m_page.latePenalty, pageFont(9), kInk, 12);
        if (!m_page.paymentMethods.isEmpty()) {
            paragraph(m_page.methodsLabel, pageFont(10, QFont::Bold), kInk, 6);
            double mx = kMarginX;
            constexpr double icon = 13;
            for (const DocumentPageContent::PaymentMethod& method : m_page.paymentMethods) {
                const Block name = layoutText(method.name, pageFont(10), width - icon - 6);
                const double itemWidth = icon + 6 + name.naturalWidth;
                if (mx > kMarginX && mx + itemWidth > kMarginX + width) {
                    mx = kMarginX;
                    ly += 20;
                }
                const QRectF box(mx, ly + (name.height - icon) / 2 - 0.5, icon, icon);
                const QString iconName = method.icon;
                m_canvas.custom([iconName, box](QPainter& p) {
                    drawPaymentMethodIcon(p, iconName, box, kAccent);
                });
                m_canvas.text(name, QPointF(mx + icon + 6, ly), kInk);
                mx += itemWidth + 20;
            }
            ly += 20;
        }

        double ry = y;
        if (bank) {
            constexpr double pad = 12;
            const double x = kMarginX + kContentWidth - bankWidth;
            const double inner = bankWidth - 2 * pad;
            PageCanvas card;
            ry += pad;
            const Block title =
                layoutText(QStringLiteral("**") + m_page.bankHeading + QStringLiteral("**"),
                           pageFont(11), inner);
            card.text(title, QPointF(x + pad, ry), kInk);
            ry += title.height + 8;
            for (const DocumentPageContent::Row& row : m_page.bankRows) {
                const Block label = layoutText(row.label, pageFont(8, QFont::DemiBold), inner);
                const Block value = layoutText(row.value, pageFont(10), inner);
                card.text(label, QPointF(x + pad, ry), kMuted);
                ry += label.height + 1;
                card.text(value, QPointF(x + pad, ry), kInk);
                ry += value.height + 6;
            }
            ry += pad - 6;
            m_canvas.rect(QRectF(x, y, bankWidth, ry - y), kCard, 6);
            m_canvas.custom([card](QPainter& p) { card.paint(p); });
        }
        return std::max(ly, ry);
    }

    // Legal mentions close the page at its foot, or right after the content
    // when the content reaches it.
    double footer(double contentBottom) {
        QList<Block> mentions;
        double height = 0;
        for (const QString& mention : m_page.legalMentions) {
            mentions << layoutText(mention, pageFont(8), kContentWidth, Qt::AlignHCenter);
            height += mentions.last().height + 3;
        }
        if (mentions.isEmpty())
            return contentBottom - 28 + kBottom;
        double y = std::max(kPageHeight - kBottom - height, contentBottom);
        m_canvas.line(QPointF(kMarginX, y - 10), QPointF(kMarginX + kContentWidth, y - 10), kRule);
        for (const Block& mention : mentions) {
            m_canvas.text(mention, QPointF(kMarginX, y), kMuted);
            y += mention.height + 3;
        }
        return y - 3 + kBottom;
    }

    const DocumentPageContent& m_page;
    const DocumentLogo& m_logo;
    MissingLogo m_missingLogo;
    PageCanvas m_canvas;
};

} // namespace

void renderDocumentPage(QPainter& painter, const DocumentPageContent& page,
                        const DocumentLogo& logo, MissingLogo missingLogo) {
    PageLayout layout(page, logo, missingLogo);
    const double height = layout.build();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(QRectF(QPointF(0, 0), kDocumentPageSize), Qt::white);
    if (height > kPageHeight) {
        const double scale = kPageHeight / height;
        painter.translate(kPageWidth * (1 - scale) / 2, 0);
        painter.scale(scale, scale);
    }
    layout.canvas().paint(painter);
    painter.restore();
}

QByteArray renderPDF(const DocumentPageContent& page, const DocumentLogo& logo) {
    return paintPdf(kDocumentPdfPageSize, page.title, 1, [&](QPainter& painter, int) {
        painter.save();
        painter.scale(kDocumentPdfScale, kDocumentPdfScale);
        renderDocumentPage(painter, page, logo, MissingLogo::blank);
        painter.restore();
        return true;
    });
}

QByteArray renderDocumentPDF(const CommercialDocumentItem& document, const DocumentParties& parties,
                             const MediaReader& media) {
    DocumentLogo logo;
    if (parties.logoURL) {
        if (const std::optional<QByteArray> bytes = media(*parties.logoURL))
            logo = DocumentLogo::fromBytes(*bytes);
    }
    return renderPDF(DocumentPageContent::of(document, parties), logo);
}

} // namespace velmora
