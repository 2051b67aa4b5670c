// What the keyboard and the mouse do in forms: the wheel scrolls a form
// without changing its values.

#include "SectionFixture.h"

#include "core/stock/ServiceForm.h"
#include "gui/documents/DocumentLineEditor.h"

#include <QComboBox>
#include <QDialog>
#include <QWheelEvent>

namespace velmora::gui::test {
namespace {

ServiceItem service(const QString& title) {
    ServiceItem s;
    s.id = QUuid::createUuid();
    s.title = title;
    s.priceTTC = u"450,00"_s;
    return s;
}

class FormControlsTest : public SectionFixture {
protected:
    void openDocuments(const QString& clientName = u"Atelier Lumen"_s) {
        openSection(u"documents"_s, [&](AppDatabase& db) {
            m_client.id = QUuid::createUuid();
            m_client.kind = ClientKind::professionnel;
            m_client.company = clientName;
            db.clients = {m_client};
            db.services = {service(u"Logo"_s), service(u"Charte graphique"_s),
                           service(u"Affiche"_s)};
        });
    }
    template <class T = QWidget> T* shown(const QString& name) {
        for (T* widget : window().findChildren<T*>(name))
            if (widget->isVisible())
                return widget;
        return nullptr;
    }
    // A service line added to the document being written.
    DocumentLineEditor* addServiceLine() {
        const QList<DocumentLineEditor*> before = window().findChildren<DocumentLineEditor*>();
        click(u"documentEditorAddService"_s);
        for (auto* line : window().findChildren<DocumentLineEditor*>())
            if (line->isVisible() && !before.contains(line))
                return line;
        return nullptr;
    }
    // One notch of the wheel over the middle of the combo box, towards an
    // item it has.
    static void turnWheel(QComboBox* box) {
        const int notch = box->currentIndex() == box->count() - 1 ? 120 : -120;
        const QPointF at = QRectF(box->rect()).center();
        QWheelEvent wheel(at, box->mapToGlobal(at), QPoint(), QPoint(0, notch), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(box, &wheel);
    }
    static void expectWheelOnlyOnceFocused(QComboBox* box) {
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->focusPolicy(), Qt::StrongFocus);
        const int before = box->currentIndex();
        turnWheel(box);
        EXPECT_EQ(box->currentIndex(), before) << "scrolling over it changed it";
        box->window()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(box->window()));
        box->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(box->hasFocus());
        turnWheel(box);
        EXPECT_NE(box->currentIndex(), before) << "focused, it takes the wheel";
    }

    ClientItem m_client;
};

TEST_F(FormControlsTest, TheWheelOverAnUnfocusedPrestationTypeScrollsTheFormInstead) {
    openDocuments();
    // In the catalogue's form, a sheet over the window.
    window().workspace().showSection(u"services"_s);
    trigger(u"Nouveau"_s);
    auto* sheet = shown<QDialog>(u"serviceForm"_s);
    ASSERT_NE(sheet, nullptr);
    expectWheelOnlyOnceFocused(sheet->findChild<QComboBox*>(u"serviceType"_s));
    sheet->reject();

    // In the document editor, a full page.
    window().workspace().showSection(u"documents"_s);
    click(u"documentsEmptyAction"_s);
    DocumentLineEditor* line = addServiceLine();
    ASSERT_NE(line, nullptr);
    auto* type = line->findChild<QComboBox*>(u"documentLineType"_s);
    ASSERT_NE(type, nullptr);
    EXPECT_EQ(type->accessibleName(), ServiceForm::prestationTypeLabel());
    expectWheelOnlyOnceFocused(type);
}

} // namespace
} // namespace velmora::gui::test
