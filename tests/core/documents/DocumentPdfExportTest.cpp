// Saving a document's PDF: rendered for an editor document, the imported file
// copied out for an imported one.

#include "DocumentsFixture.h"

#include "core/documents/DocumentPdfExport.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::test;

namespace {

class DocumentPdfExportTest : public StoreFixture {
protected:
    void SetUp() override {
        StoreFixture::SetUp();
        m_media = path(u"media"_s);
        writeBytes(m_media + u"/devis-signé.pdf"_s, "%PDF-imported");
        writeBytes(path(u"elsewhere/other.pdf"_s), "%PDF-outside");
        QDir().mkpath(path(u"out"_s));
    }

    std::optional<Alert> save(const CommercialDocumentItem& d, const QByteArray& rendered) {
        m_renders = 0;
        return saveDocumentPdf(
            m_fs, d, target(),
            [&] {
                ++m_renders;
                return rendered;
            },
            mediaFolderReader(m_fs, m_media));
    }
    QString target() const { return path(u"out/F-1.pdf"_s); }

    QString m_media;
    int m_renders = 0;
};

CommercialDocumentItem imported(std::optional<QUrl> url) {
    CommercialDocumentItem d = document(CommercialDocumentKind::invoice, u"F-1"_s);
    d.sourceKind = CommercialDocumentSourceKind::importedPDF;
    d.importedPDFURL = std::move(url);
    return d;
}

TEST_F(DocumentPdfExportTest, ImportedFilesAreCopiedOutNeverRendered) {
    const QString missingTitle = u"Fichier introuvable"_s;
    const QString missing =
        u"Le fichier PDF est introuvable. Il a peut-être été déplacé ou supprimé."_s;
    struct Case {
        const char* name;
        std::optional<QUrl> url;
        QByteArray written; // empty: nothing written, the alert below
    };
    const QList<Case> cases{
        {"in the media folder", QUrl::fromLocalFile(m_media + u"/devis-signé.pdf"_s),
         "%PDF-imported"},
        {"no file", std::nullopt, {}},
        {"gone", QUrl::fromLocalFile(m_media + u"/gone.pdf"_s), {}},
        {"outside the media folder", QUrl::fromLocalFile(path(u"elsewhere/other.pdf"_s)), {}},
        {"through ..", QUrl::fromLocalFile(m_media + u"/../elsewhere/other.pdf"_s), {}},
    };
    for (const Case& c : cases) {
        QFile::remove(target());
        const std::optional<Alert> alert = save(imported(c.url), "%PDF-rendered");
        EXPECT_EQ(m_renders, 0) << c.name;
        EXPECT_EQ(readBytes(target()), c.written) << c.name;
        if (c.written.isEmpty()) {
            ASSERT_TRUE(alert) << c.name;
            EXPECT_EQ(alert->title, missingTitle);
            EXPECT_EQ(alert->message, missing);
        } else {
            EXPECT_FALSE(alert) << c.name;
        }
    }

    m_fs.failOn(FaultyFileSystem::Op::Write);
    QFile::remove(target());
    const auto failed = save(imported(QUrl::fromLocalFile(m_media + "/devis-signé.pdf")), {});
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->message, u"Impossible d'enregistrer le fichier : « %1 » : No "
                               "space left on device"_s.arg(target()));
    EXPECT_FALSE(QFile::exists(target()));
}

TEST_F(DocumentPdfExportTest, EditorDocumentsAreRendered) {
    const CommercialDocumentItem d = document(CommercialDocumentKind::invoice, u"F-1"_s);
    EXPECT_FALSE(save(d, "%PDF-rendered"));
    EXPECT_EQ(m_renders, 1);
    EXPECT_EQ(readBytes(target()), "%PDF-rendered");

    QFile::remove(target());
    const auto empty = save(d, {});
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->title, u"Génération impossible");
    EXPECT_EQ(empty->message, u"Le PDF n'a pas pu être généré.");
    EXPECT_FALSE(QFile::exists(target()));

    m_fs.failOn(FaultyFileSystem::Op::Write);
    const auto failed = save(d, "%PDF-rendered");
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->title, u"Erreur d'enregistrement");
    EXPECT_TRUE(failed->message.endsWith(u"No space left on device"));
    EXPECT_FALSE(QFile::exists(target()));
}

TEST(DocumentPdfExport, SavePanelsAndFileNames) {
    CommercialDocumentItem d = document(CommercialDocumentKind::quote, u"D-2025/7"_s);
    FilePanel panel = documentPdfSavePanel(d);
    EXPECT_EQ(panel.mode, FilePanel::Mode::saveFile);
    EXPECT_EQ(panel.title, u"Enregistrer le PDF");
    EXPECT_EQ(panel.prompt, u"Enregistrer");
    EXPECT_EQ(panel.proposedName, u"D-2025-7.pdf");
    EXPECT_EQ(panel.extension, u"pdf");
    EXPECT_TRUE(panel.canCreateFolders);
    d.number = u"  "_s;
    d.sourceKind = CommercialDocumentSourceKind::importedPDF;
    panel = documentPdfSavePanel(d);
    EXPECT_EQ(panel.title, u"Enregistrer le fichier");
    EXPECT_EQ(panel.proposedName, u"document.pdf");
}

TEST(DocumentPdfExport, EmbeddedMediaAreFoundByFileName) {
    const QMap<QString, Base64Data> media{
        {u"documents/devis.pdf"_s, Base64Data::fromBytes("%PDF-embedded")}};
    const MediaReader read = embeddedMediaReader(media);
    EXPECT_EQ(read(QUrl::fromLocalFile(u"/Users/x/Media/devis.pdf"_s)),
              QByteArray("%PDF-embedded"));
    EXPECT_FALSE(read(QUrl::fromLocalFile(u"/Users/x/Media/autre.pdf"_s)));
    EXPECT_FALSE(read(QUrl()));
}

} // namespace
