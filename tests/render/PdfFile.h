#pragma once

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QPdfDocument>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace velmora::test {

// A PDF as a reader opens it: the bytes written to a file and loaded.
class PdfFile {
public:
    explicit PdfFile(const QByteArray& bytes) {
        EXPECT_FALSE(bytes.isEmpty());
        const QString path = m_dir.filePath(QStringLiteral("read.pdf"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        EXPECT_EQ(m_pdf.load(path), QPdfDocument::Error::None);
    }

    int pages() const { return m_pdf.pageCount(); }
    QSizeF pageSize(int page) const { return m_pdf.pagePointSize(page); }
    // The page's text, every kind of space and line break read as one space.
    QString text(int page) {
        QString text = m_pdf.getAllText(page).text();
        for (QChar& c : text) {
            if (c.isSpace())
                c = QLatin1Char(' ');
        }
        return text.simplified();
    }
    // The page at one pixel per point.
    QImage image(int page) { return m_pdf.render(page, pageSize(page).toSize()); }
    QPdfDocument& document() { return m_pdf; }

private:
    QTemporaryDir m_dir;
    QPdfDocument m_pdf;
};

} // namespace velmora::test
