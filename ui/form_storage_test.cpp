#include "ui/form_storage.h"

#include <gtest/gtest.h>

#include <functional>

#include "base/error.h"
#include "ui/error_box.h"
#include "ui/screen.h"
#include "ui/testing/framework_fixture.h"

namespace qxqy {
namespace {

constexpr char kSection[] = "TStoredForm";

class StoredForm : public Form {
 public:
  explicit StoredForm(Component* owner)
      : Form(owner, "stored", kSection), storage(this, "storage") {
    SetBounds(1009, 201, 334, 222);
    storage.AddStoredValue("CurrentBand", "0");
    OnShow = [this](Form&) { band_at_show = storage.StoredValue("CurrentBand"); };
  }

  FormStorage storage;
  std::string band_at_show;
};

class FormStorageTest : public testing::FrameworkTest {
 protected:
  StoredForm& form_ = *App().CreateForm<StoredForm>();

  void SavePlacement(const std::string& ppi, const std::string& norm_pos) {
    store_.Set(kSection, "PixelsPerInch", ppi);
    store_.Set(kSection, "NormPos", norm_pos);
  }
  std::string Saved(const char* name) { return store_.Get(kSection, name).value_or("<none>"); }
};

TEST_F(FormStorageTest, StoredValueKeepsItsDefaultUntilSaved) {
  form_.Show();
  EXPECT_EQ(form_.band_at_show, "0");
  form_.storage.SetStoredValue("CurrentBand", "5");
  EXPECT_EQ(form_.storage.StoredValue("CurrentBand"), "5");
  EXPECT_FALSE(store_.Has(kSection, "CurrentBand")) << "setting a value only changes memory";
  EXPECT_THROW(form_.storage.StoredValue("Unknown"), Error);
}

// A value the window never declared is an error for reading and for writing,
// and the message names it; writing one changes nothing.
TEST_F(FormStorageTest, UndeclaredStoredValueIsAnErrorNamingIt) {
  const std::function<void()> uses[] = {
      [this] { form_.storage.StoredValue("CurentBand"); },
      [this] { form_.storage.SetStoredValue("CurentBand", "4"); },
  };
  for (const auto& use : uses) {
    try {
      use();
      ADD_FAILURE() << "no error";
    } catch (const Error& error) {
      EXPECT_STREQ(error.what(), "Unknown stored value CurentBand");
    }
  }
  EXPECT_EQ(form_.storage.StoredValue("CurrentBand"), "0");
}

TEST_F(FormStorageTest, RestoreRunsBeforeTheShowHandler) {
  store_.Set(kSection, "CurrentBand", "7");
  form_.Show();
  EXPECT_EQ(form_.band_at_show, "7");
}

TEST_F(FormStorageTest, SavesWhenTheCloseIsAgreedBeforeOnClose) {
  std::string band_saved_before_on_close;
  form_.OnClose = [&](Form&) { band_saved_before_on_close = Saved("CurrentBand"); };
  form_.Show();
  form_.storage.SetStoredValue("CurrentBand", "3");
  form_.Close();
  EXPECT_EQ(band_saved_before_on_close, "3");
  EXPECT_EQ(Saved("NormPos"), "1009,201,1343,423");
  EXPECT_EQ(Saved("PixelsPerInch"), std::to_string(ScreenPixelsPerInch()));
  for (const char* name : {"FormVersion", "Flags", "ShowCmd", "MinMaxPos", "Visible"}) {
    EXPECT_TRUE(store_.Has(kSection, name)) << name;
  }
}

TEST_F(FormStorageTest, RefusedCloseSavesNothing) {
  form_.OnCloseQuery = [](Form&, bool& can_close) { can_close = false; };
  form_.Show();
  form_.Close();
  EXPECT_EQ(store_.WriteCount(), 0);
}

TEST_F(FormStorageTest, DestructionSavesOnlyIfNotSavedSinceRestore) {
  form_.Show();
  form_.storage.SetStoredValue("CurrentBand", "2");
  form_.Release();
  App().ProcessMessages();
  EXPECT_EQ(Saved("CurrentBand"), "2");

  auto& closed = *App().CreateForm<StoredForm>();
  closed.Show();
  closed.Close();
  const int writes = store_.WriteCount();
  closed.Release();
  App().ProcessMessages();
  EXPECT_EQ(store_.WriteCount(), writes) << "already saved at the close";
}

TEST_F(FormStorageTest, NeverShownFormSavesNothing) {
  form_.storage.SetStoredValue("CurrentBand", "9");
  form_.Close();
  App().Shutdown();
  EXPECT_EQ(store_.WriteCount(), 0);
}

TEST_F(FormStorageTest, SavedPositionAppliesOnlyAtTheSameScreenDensity) {
  const std::string ppi = std::to_string(ScreenPixelsPerInch());
  SavePlacement(ppi, "100,50,434,271");
  form_.Show();
  EXPECT_EQ(form_.BoundsRect(), (Rect{100, 50, 434, 271}));

  auto& other = *App().CreateForm<StoredForm>();
  SavePlacement(std::to_string(ScreenPixelsPerInch() + 24), "300,300,634,521");
  other.Show();
  EXPECT_EQ(other.Left(), 1009);
}

TEST_F(FormStorageTest, GarbagePlacementIsIgnored) {
  const std::string ppi = std::to_string(ScreenPixelsPerInch());
  const struct {
    std::string ppi;
    std::string norm_pos;
  } cases[] = {
      {ppi, "garbage"},
      {ppi, "10,20,30"},
      {ppi, "10,20,x,40"},
      {ppi, "50,50,50,50"},
      {ppi, "-9000,-9000,-8000,-8000"},
      {"abc", "10,10,344,231"},
      {"", "10,10,344,231"},
      {ppi, ""},
  };
  for (const auto& c : cases) {
    auto& form = *App().CreateForm<StoredForm>();
    SavePlacement(c.ppi, c.norm_pos);
    form.Show();
    EXPECT_EQ(form.BoundsRect(), (Rect{1009, 201, 1343, 423}))
        << "PixelsPerInch=" << c.ppi << " NormPos=" << c.norm_pos;
  }
  EXPECT_TRUE(ErrorBoxLog().empty());
}

TEST_F(FormStorageTest, FixedWindowTakesOnlyThePosition) {
  form_.SetBorderStyle(BorderStyle::kSingle);
  const Rect before = form_.BoundsRect();
  SavePlacement(std::to_string(ScreenPixelsPerInch()), "10,20,500,600");
  form_.Show();
  EXPECT_EQ(form_.BoundsRect(), RectFromBounds(10, 20, before.Width(), before.Height()));
}

TEST_F(FormStorageTest, PositionOnlyIgnoresTheSavedWindowState) {
  store_.Set(kSection, "ShowCmd", "3");
  form_.storage.SetPositionOnly(true);
  form_.Show();
  EXPECT_EQ(form_.GetWindowState(), WindowState::kNormal);

  auto& full = *App().CreateForm<StoredForm>();
  full.Show();
  EXPECT_EQ(full.GetWindowState(), WindowState::kMaximized);
}

TEST_F(FormStorageTest, WindowWithoutMaximiseBoxIgnoresTheSavedMaximisedState) {
  store_.Set(kSection, "ShowCmd", "3");
  form_.SetBorderIcons(/*system_menu=*/true, /*minimize_box=*/true, /*maximize_box=*/false);
  form_.Show();
  EXPECT_EQ(form_.GetWindowState(), WindowState::kNormal);
}

TEST_F(FormStorageTest, StoreRefusingToWriteIsSkippedSilentlyOnBothSavingPaths) {
  const struct {
    const char* path;
    std::function<void(StoredForm&)> end;
    bool hidden_after;
  } cases[] = {
      {"close", [](StoredForm& form) { form.Close(); }, true},
      {"destruction without a close",
       [](StoredForm& form) {
         form.Release();
         Application::Instance().ProcessMessages();
       },
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    store_.SetFailWrites(false);
    store_.Set(kSection, "CurrentBand", "4");
    auto& form = *App().CreateForm<StoredForm>();
    form.Show();
    form.storage.SetStoredValue("CurrentBand", "6");
    store_.SetFailWrites(true);
    c.end(form);
    EXPECT_TRUE(ErrorBoxLog().empty());
    EXPECT_EQ(Saved("CurrentBand"), "4") << "the store keeps what it held";
    if (c.hidden_after) {
      EXPECT_FALSE(form.Visible());
    }
  }
}

TEST_F(FormStorageTest, SaveRefusedAtTheCloseIsNotTriedAgainAtTheDestruction) {
  form_.Show();
  store_.SetFailWrites(true);
  form_.Close();
  store_.SetFailWrites(false);
  form_.Release();
  App().ProcessMessages();
  EXPECT_EQ(store_.WriteCount(), 0);
  EXPECT_TRUE(ErrorBoxLog().empty());
}

TEST_F(FormStorageTest, UnreadableStoreRestoresDefaults) {
  store_.Set(kSection, "CurrentBand", "4");
  store_.SetFailReads(true);
  form_.Show();
  EXPECT_EQ(form_.band_at_show, "0");
}

}  // namespace
}  // namespace qxqy
