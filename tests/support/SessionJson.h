#pragma once

// Builders of small session documents for the codec tests. Every "minimal"
// record holds exactly the keys that reading requires, so a test adds or
// removes one key and sees the effect of that key alone.

#include "core/model/AppDatabase.h"
#include "support/QtPrinters.h"

#include <QByteArray>
#include <QDateTime>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QUuid>

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

namespace velmora::test {

// The moment the decode helpers read at: not on a whole second, so that a
// fallback "now" shows whether it was truncated.
QDateTime decodeMoment();

QDateTime utc(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
              int msec = 0);

// Deterministic ids: uuidText(7) is "00000000-0000-4000-8000-000000000007".
QString uuidText(int n);
QUuid uuid(int n);

// Every required root key, with empty collections and minimal settings.
QJsonObject minimalRoot();

QJsonObject minimalTag(int n = 1);
QJsonObject minimalClient(int n = 1);
QJsonObject minimalService(int n = 1);
QJsonObject minimalLine(int n = 1);
// A quote with one minimal line.
QJsonObject minimalDocument(int n = 1);
QJsonObject minimalEncaissement();
QJsonObject minimalSnapshot();
QJsonObject minimalCompanySettings();
QJsonObject minimalAccountingRecipeSettings();
QJsonObject minimalNotificationState();
QJsonObject minimalStockItem(int n = 1);
QJsonObject minimalWishlistItem(int n = 1);
QJsonObject minimalPurchase(int n = 1);
QJsonObject minimalStockSubTag(int n = 1);
QJsonObject minimalCalendarEvent();
QJsonObject minimalExternalTool(int n = 1);

// Copies with one key set or removed.
QJsonObject with(QJsonObject object, const QString& key, const QJsonValue& value);
QJsonObject without(QJsonObject object, const QString& key);
QJsonObject without(QJsonObject object, std::initializer_list<QString> keys);

// The minimal root with one collection holding the given records.
QJsonObject rootWith(const QString& key, const QJsonValue& value);
QJsonObject rootWithOne(const QString& collection, const QJsonObject& record);

QByteArray toBytes(const QJsonObject& root);

// Puts raw JSON text where the string "marker" stands, for values that a
// QJsonObject cannot hold (big integers, -0, exact number spellings).
QByteArray withRaw(const QJsonObject& root, const QString& marker, const QByteArray& raw);

// Decodes with a FixedClock; a failure fails the current test with the
// decoder's message and returns an empty database.
AppDatabase decodeOk(const QByteArray& bytes, const QDateTime& now = decodeMoment());
AppDatabase decodeOk(const QJsonObject& root, const QDateTime& now = decodeMoment());
// The decoder's message, or a test failure when the bytes decode.
QString decodeError(const QByteArray& bytes, const QDateTime& now = decodeMoment());

// Parses encoder output; a failure fails the current test.
QJsonObject parseObject(const QByteArray& bytes);

// The one item of a list that must hold exactly one; otherwise a test
// failure and a default item.
template <class T> T only(const QList<T>& list) {
    EXPECT_EQ(list.size(), 1) << "exactly one item expected";
    return list.value(0);
}

} // namespace velmora::test
