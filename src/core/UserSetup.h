#pragma once

// The user-list screens TUserSetup (cassettes) and TUserSetupCD (CDs).

#include "core/UserListsScreen.h"

namespace velmora {

// The two screens of user lists under the names the program registers them
// by: one screen, told apart by the lists and their words (the table in
// UserSetup.cpp).

// The cassette genres and recording sources.
class TUserSetup : public UserListsScreen
{
    Q_OBJECT
public:
    explicit TUserSetup(Session &session, QWidget *parent = nullptr);
};

// The CD styles and formats.
class TUserSetupCD : public UserListsScreen
{
    Q_OBJECT
public:
    explicit TUserSetupCD(Session &session, QWidget *parent = nullptr);
};

} // namespace velmora
