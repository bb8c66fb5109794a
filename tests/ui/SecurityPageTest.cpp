// The security page: the PIN-changed and service-password-changed flags (set
// only for the code the user changed, never cleared by the page), the texts it
// remembers at every fill, and the page closing itself when stored.
#include "PageFixture.h"
#include "PageTestSupport.h"
#include "RandomConfiguration.h"
#include "Zabezpeceni.h"

#include <QLineEdit>

#include <gtest/gtest.h>

namespace {

using namespace kw::test;

class SecurityPage : public PageFixture<TFZabezpeceni> {
protected:
    SecurityPage() {
        LoadInstalledLanguage(host.language, "Eng", "A");
        host.parameters.SetValue("PINVal", 0, "1234");
        host.parameters.SetValue("ServisPassw", 0, "40917");
    }

    void Show() {
        host.parameters.m_Modified = false;
        page.LoadPage();
        page.show();
    }
    std::pair<bool, bool> Flags() const { return {host.pinChanged, host.passwChanged}; }

    QLineEdit* pin = Find<QLineEdit>("Edit6");
    QLineEdit* password = Find<QLineEdit>("Edit7");
};

TEST_F(SecurityPage, BindsPinAndPassword) {
    Show();
    EXPECT_EQ(BoundNames(), SortedNames({"PINVal", "ServisPassw"}));
    EXPECT_EQ(pin->text(), "1234");
    EXPECT_EQ(password->text(), "40917");
}

TEST_F(SecurityPage, UnchangedSetsNoFlagAndTheStoreClosesThePage) {
    const Snapshot before = TakeSnapshot(host.parameters);
    Show();
    ASSERT_TRUE(page.isVisible());
    page.StorePage();
    EXPECT_EQ(Flags(), std::make_pair(false, false));
    EXPECT_FALSE(page.isVisible());
    EXPECT_EQ(ChangedNames(before, TakeSnapshot(host.parameters)), std::vector<std::string>{});
    EXPECT_FALSE(host.parameters.m_Modified);
    // Filled and shown again, it stays open until the next store.
    Show();
    EXPECT_TRUE(page.isVisible());
}

TEST_F(SecurityPage, EachFlagFollowsItsOwnCode) {
    Show();
    TypeInto(pin, "98765");
    page.StorePage();
    EXPECT_EQ(Flags(), std::make_pair(true, false));
    EXPECT_EQ(host.parameters.GetValue("PINVal", 0), "98765");

    host.pinChanged = false;
    Show();
    TypeInto(password, "55555");
    page.StorePage();
    EXPECT_EQ(Flags(), std::make_pair(false, true));
    EXPECT_EQ(host.parameters.GetValue("ServisPassw", 0), "55555");
}

TEST_F(SecurityPage, ThePageNeverClearsAFlag) {
    host.pinChanged = true;
    host.passwChanged = true;
    Show();
    page.StorePage();
    EXPECT_EQ(Flags(), std::make_pair(true, true));
}

TEST_F(SecurityPage, ChangesUndoneOrOnlyLookingDifferentSetNoFlag) {
    Show();
    TypeInto(pin, "1111");
    TypeInto(pin, "1234");
    // Still in the field, so not settled yet, but the same password all the
    // same: flagging it would make the next write send this configuration's
    // password instead of keeping the gateway's own.
    TypeInto(password, "40917 ");
    page.StorePage();
    EXPECT_EQ(Flags(), std::make_pair(false, false));
    EXPECT_EQ(host.parameters.GetValue("ServisPassw", 0), "40917");

    // Nor does a change that ends where it started once settled: "12 34"
    // typed and left is the PIN loaded.
    Show();
    TypeInto(pin, "12 34");
    LeaveField(pin);
    EXPECT_EQ(pin->text(), "1234");
    page.StorePage();
    EXPECT_EQ(Flags(), std::make_pair(false, false));
}

TEST_F(SecurityPage, EveryFillRemembersTheTextsAnew) {
    Show();
    TypeInto(pin, "2222");
    page.StorePage();
    ASSERT_TRUE(host.pinChanged);
    host.pinChanged = false; // as after a read from the gateway
    Show();
    EXPECT_EQ(pin->text(), "2222");
    page.StorePage();
    EXPECT_EQ(Flags(), std::make_pair(false, false));
    // A new value in the registry (a read) is the new starting point too.
    host.parameters.SetValue("PINVal", 0, "4321");
    Show();
    page.StorePage();
    EXPECT_EQ(Flags(), std::make_pair(false, false));
}

TEST_F(SecurityPage, RandomConfigurationsSurviveLoadAndStore) {
    std::mt19937 random(11);
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        FillRandom(host.parameters, random);
        ExpectLoadStoreKeepsRegistry(page, host.parameters);
        EXPECT_EQ(Flags(), std::make_pair(false, false));
    }
}

} // namespace
