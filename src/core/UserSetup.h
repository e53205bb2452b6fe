#pragma once

#include "core/UserListsScreen.h"

namespace velmora {

// The cassette genres and recording sources.
class TUserSetup : public UserListsScreen
{
    Q_OBJECT
public:
    explicit TUserSetup(Session &session, QWidget *parent = nullptr);
};

} // namespace velmora
