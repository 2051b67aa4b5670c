#pragma once

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace velmora::gui::test {

// Finds, clicks and types in the widgets of one window as a person would.
// The same views may exist twice (on the launch screen and over a running
// session): the one on screen is the one meant.
template <class Fixture> class WidgetDriver : public Fixture {
protected:
    virtual QWidget& driven() = 0;

    template <class T = QWidget> T* find(const QString& name) {
        const QList<T*> all = driven().template findChildren<T*>(name);
        for (T* widget : all)
            if (widget->isVisibleTo(&driven()))
                return widget;
        EXPECT_FALSE(all.isEmpty()) << "no widget named " << name.toStdString();
        return all.isEmpty() ? nullptr : all.first();
    }
    void click(const QString& name) {
        auto* button = find<QAbstractButton>(name);
        ASSERT_TRUE(button && button->isVisibleTo(&driven())) << name.toStdString() << " not shown";
        ASSERT_TRUE(button->isEnabled()) << name.toStdString() << " is disabled";
        // A button just laid out gets its size first, as it would on screen.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    // Replaces the text of the field key by key, accents included, which
    // QTest::keyClicks only takes in ASCII.
    void type(const QString& name, const QString& text) {
        auto* field = find<QLineEdit>(name);
        ASSERT_NE(field, nullptr);
        typeInto(field, text);
    }
    static void typeInto(QLineEdit* field, const QString& text) {
        field->setFocus(Qt::MouseFocusReason);
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    // The text of a label on screen; nothing while it is hidden.
    QString shownText(const QString& name) {
        auto* label = find<QLabel>(name);
        return label && label->isVisibleTo(&driven()) ? label->text() : QString();
    }
};

} // namespace velmora::gui::test
