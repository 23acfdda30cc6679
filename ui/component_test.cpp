#include "ui/component.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "base/error.h"
#include "ui/component_ref.h"
#include "ui/form.h"
#include "ui/testing/framework_fixture.h"

namespace qxqy {
namespace {

using testing::DestroyProbe;

class ComponentTest : public testing::FrameworkTest {};

TEST_F(ComponentTest, OwnerDestroysAdoptedComponentsOnceNewestFirst) {
  std::vector<std::string> log;
  auto* root = App().Create<DestroyProbe>("root", &log);
  auto* first = root->Create<DestroyProbe>("first", &log);
  first->Create<DestroyProbe>("grandchild", &log);
  root->Create<DestroyProbe>("second", &log);
  EXPECT_EQ(root->Components().size(), 2u);
  Component::Destroy(root);
  EXPECT_EQ(log, (std::vector<std::string>{"second", "grandchild", "first", "root"}));
}

TEST_F(ComponentTest, DestroyFreesOnceAndUnregistersFromOwner) {
  std::vector<std::string> log;
  auto* root = App().Create<DestroyProbe>("root", &log);
  auto* child = root->Create<DestroyProbe>("child", &log);
  Component::Destroy(child);
  EXPECT_EQ(log, std::vector<std::string>{"child"});
  EXPECT_TRUE(root->Components().empty());
  Component::Destroy(root);
  EXPECT_EQ(log, (std::vector<std::string>{"child", "root"}));
}

TEST_F(ComponentTest, DestroyingNothingOrAComponentAlreadyGoingDoesNothing) {
  Component::Destroy(nullptr);
  std::vector<std::string> log;
  // A component whose teardown asks for its own destruction again, as a
  // handler reacting to the going window can.
  struct SelfDestroying : DestroyProbe {
    using DestroyProbe::DestroyProbe;
    void BeforeDestruction() override { Component::Destroy(this); }
  };
  auto* probe = App().Create<SelfDestroying>("probe", &log);
  Component::Destroy(probe);
  EXPECT_EQ(log, std::vector<std::string>{"probe"});
}

TEST_F(ComponentTest, MembersRegisterButAreNotFreedByTheOwner) {
  struct Holder : Component {
    explicit Holder(std::vector<std::string>* log)
        : Component(nullptr, "holder"), member(this, "member", log) {}
    DestroyProbe member;
  };
  std::vector<std::string> log;
  { Holder holder(&log); }
  EXPECT_EQ(log, std::vector<std::string>{"member"});
}

TEST_F(ComponentTest, ConstructorFailureLeavesNothingRegistered) {
  struct Failing : Component {
    explicit Failing(Component* owner) : Component(owner, "failing") { throw Error("boom"); }
  };
  std::vector<std::string> log;
  auto* root = App().Create<DestroyProbe>("root", &log);
  EXPECT_THROW(root->Create<Failing>(), Error);
  EXPECT_TRUE(root->Components().empty());
  Component::Destroy(root);
  EXPECT_EQ(log, std::vector<std::string>{"root"});
}

// Every way a component can go must empty the references to it.
TEST_F(ComponentTest, ReferencesAreEmptiedHoweverTheTargetGoes) {
  struct Case {
    const char* how;
    std::function<void(Component& root, Component& target)> end;
  };
  const Case cases[] = {
      {"Destroy", [](Component&, Component& target) { Component::Destroy(&target); }},
      {"owner destroyed", [](Component& root, Component&) { Component::Destroy(&root); }},
      {"application shutdown", [](Component&, Component&) { Application::Instance().Shutdown(); }},
  };
  for (const Case& c : cases) {
    std::vector<std::string> log;
    auto* root = App().Create<DestroyProbe>("root", &log);
    auto* target = root->Create<DestroyProbe>("target", &log);
    ComponentRef<DestroyProbe> ref(target);
    ComponentRef<DestroyProbe> copy = ref;
    ASSERT_EQ(ref.get(), target) << c.how;
    c.end(*root, *target);
    EXPECT_FALSE(ref) << c.how;
    EXPECT_FALSE(copy) << c.how;
    EXPECT_EQ(std::count(log.begin(), log.end(), "target"), 1) << c.how;
    App().Shutdown();
  }
}

TEST_F(ComponentTest, ReferenceOutlivedByTargetUnregistersItself) {
  std::vector<std::string> log;
  auto* target = App().Create<DestroyProbe>("target", &log);
  { ComponentRef<DestroyProbe> short_lived(target); }
  ComponentRef<DestroyProbe> reassigned(target);
  reassigned = nullptr;
  EXPECT_FALSE(reassigned);
  Component::Destroy(target);  // must not touch the references that went
  EXPECT_EQ(log, std::vector<std::string>{"target"});
}

// A reference assigned from another takes the other's target (or none) and
// follows it from then on; assigning a reference to itself keeps its target.
TEST_F(ComponentTest, AssignedReferenceTakesTheOthersTarget) {
  std::vector<std::string> log;
  auto* first = App().Create<DestroyProbe>("first", &log);
  auto* second = App().Create<DestroyProbe>("second", &log);
  ComponentRef<DestroyProbe> to_first(first);
  ComponentRef<DestroyProbe> to_second(second);
  ComponentRef<DestroyProbe> empty;
  ComponentRef<DestroyProbe> assigned;

  assigned = to_first;
  EXPECT_EQ(assigned.get(), first);
  assigned = to_second;
  EXPECT_EQ(assigned.get(), second);
  const ComponentRef<DestroyProbe>& same = assigned;
  assigned = same;
  EXPECT_EQ(assigned.get(), second);

  Component::Destroy(second);
  EXPECT_FALSE(assigned) << "the assigned reference follows its new target";
  assigned = to_first;
  assigned = empty;
  EXPECT_FALSE(assigned);
  Component::Destroy(first);  // must not touch the reference that left it
  EXPECT_FALSE(to_first);
}

TEST_F(ComponentTest, ReferencesAreEmptyDuringTheTargetsOwnTeardown) {
  struct Watcher : Component {
    Watcher(Component* owner, ComponentRef<Component>* ref, bool* seen_empty)
        : Component(owner, "watcher"), ref_(ref), seen_empty_(seen_empty) {}
    void BeforeDestruction() override { *seen_empty_ = ref_->empty(); }
    ComponentRef<Component>* ref_;
    bool* seen_empty_;
  };
  ComponentRef<Component> ref;
  bool seen_empty = false;
  auto* watcher = App().Create<Watcher>(&ref, &seen_empty);
  ref = watcher;
  Component::Destroy(watcher);
  EXPECT_TRUE(seen_empty);
}

// A component destroyed directly (a member, or one on the stack) is as much
// on its way out as one given to Destroy(): what its children's teardown
// does to it finds it going.
TEST_F(ComponentTest, ADirectlyDestroyedComponentIsGoingForItsChildrensTeardown) {
  struct Child : Component {
    Child(Component* owner, bool* owner_was_held)
        : Component(owner, "child"), held_(owner_was_held) {}
    ~Child() override {
      ComponentRef<Component> to_owner(Owner());
      *held_ = !to_owner.empty();
    }
    bool* held_;
  };
  bool owner_was_held = true;
  {
    Component parent(nullptr, "parent");
    parent.Create<Child>(&owner_was_held);
  }
  EXPECT_FALSE(owner_was_held);
}

}  // namespace
}  // namespace qxqy
