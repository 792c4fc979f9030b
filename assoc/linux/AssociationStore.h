#pragma once
// What the dialog asks of the platform's association store around one Apply: keep what it
// holds, give it back when the Apply did not do what the box asked, and the reasons of the
// failures met, for the user.
#include <string>
#include <vector>

struct AssociationStore {
    virtual void Keep() = 0;
    virtual void GiveBack() = 0;
    virtual std::vector<std::string> TakeFailures() = 0;

protected:
    ~AssociationStore() = default;
};
