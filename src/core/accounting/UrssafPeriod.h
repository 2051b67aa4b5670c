#pragma once

#include "core/model/SessionSettings.h"

#include <QDate>
#include <QList>
#include <QString>

namespace velmora {

// A declaration period: a month 1–12, or a quarter 1–4, of a year.
struct UrssafPeriod {
    int year = 0;
    int index = 1;
    URSSAFDeclarationFrequency frequency = URSSAFDeclarationFrequency::trimestrial;

    friend bool operator==(const UrssafPeriod&, const UrssafPeriod&) = default;
};

// The months of the period: the month itself, or the three of the quarter.
QList<int> urssafPeriodMonths(int index, URSSAFDeclarationFrequency frequency);

// The period before the one of `today`: what a new declaration is usually for.
UrssafPeriod previousUrssafPeriod(const QDate& today, URSSAFDeclarationFrequency frequency);

// "Mars 2025", "1er trimestre 2025", "2e trimestre 2025".
QString urssafPeriodText(const UrssafPeriod& period);
// The name of a period of the year alone: "Mars", "1er trimestre".
QString urssafPeriodName(int index, URSSAFDeclarationFrequency frequency);

} // namespace velmora
