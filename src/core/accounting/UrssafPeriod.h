#pragma once

#include "core/model/SessionSettings.h"

#include <QDate>
#include <QList>

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

} // namespace velmora
