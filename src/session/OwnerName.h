#pragma once

#include <QString>

// The owner's name that exports of the own catalogues carry, and under
// which everyone who imports them keeps them: a setting of its own, set at
// the first export or in the central settings, never empty once set.
namespace velmora::settings {

inline const QString kOwnerName = QStringLiteral("Vlastnik dat");
constexpr int kOwnerMaxLength = 30;

// Empty until the user gave one.
QString storedOwnerName();
void storeOwnerName(const QString &name);
// The name proposed when none is stored: the user's login name.
QString proposedOwnerName();

// Empty when the name can name an owner's directory inside EXTERNI;
// otherwise what is wrong with it, in Czech.
QString ownerNameProblem(const QString &owner);

} // namespace velmora::settings
