// WriteShortcut against a counting stand-in for the shell's shortcut object, handed in
// through its factory: on every way out, success or failure, each interface it obtained is
// released again, and no step runs after the one that stopped it.
#include "shell/shortcut.h"

#include <objidl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <map>
#include <new>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using mimoruka::WriteShortcut;

// What the stand-in does: which interfaces it answers, what each method returns, and the
// method in which it throws (std::bad_alloc in "Save", a std::runtime_error elsewhere).
struct Behaviour {
  bool shellLink = true;
  bool persistFile = true;
  std::map<std::string, HRESULT> results;  // by method name; S_OK when not named
  std::string throwIn;
};

Behaviour Answering(const std::string& method, HRESULT result) {
  Behaviour b;
  b.results[method] = result;
  return b;
}
Behaviour ThrowingIn(const std::string& method) {
  Behaviour b;
  b.throwIn = method;
  return b;
}
Behaviour Without(bool shellLink, bool persistFile) {
  Behaviour b;
  b.shellLink = shellLink;
  b.persistFile = persistFile;
  return b;
}

class FakeShellLink;

// One interface of the stand-in with its own reference count.
template <class Interface>
class Part : public Interface {
 public:
  explicit Part(FakeShellLink& owner) : owner_(owner) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references_); }
  ULONG STDMETHODCALLTYPE Release() override {
    if (--references_ < 0) overReleased_ = true;
    return static_cast<ULONG>(references_);
  }
  long References() const { return references_; }
  bool OverReleased() const { return overReleased_; }

 protected:
  HRESULT Call(const char* method);
  FakeShellLink& owner_;

 private:
  long references_ = 0;
  bool overReleased_ = false;
};

class LinkPart : public Part<IShellLinkW> {
 public:
  using Part::Part;
  HRESULT STDMETHODCALLTYPE GetPath(LPWSTR, int, WIN32_FIND_DATAW*, DWORD) override { return Call("GetPath"); }
  HRESULT STDMETHODCALLTYPE GetIDList(PIDLIST_ABSOLUTE*) override { return Call("GetIDList"); }
  HRESULT STDMETHODCALLTYPE SetIDList(PCIDLIST_ABSOLUTE) override { return Call("SetIDList"); }
  HRESULT STDMETHODCALLTYPE GetDescription(LPWSTR, int) override { return Call("GetDescription"); }
  HRESULT STDMETHODCALLTYPE SetDescription(LPCWSTR) override { return Call("SetDescription"); }
  HRESULT STDMETHODCALLTYPE GetWorkingDirectory(LPWSTR, int) override { return Call("GetWorkingDirectory"); }
  HRESULT STDMETHODCALLTYPE SetWorkingDirectory(LPCWSTR) override { return Call("SetWorkingDirectory"); }
  HRESULT STDMETHODCALLTYPE GetArguments(LPWSTR, int) override { return Call("GetArguments"); }
  HRESULT STDMETHODCALLTYPE SetArguments(LPCWSTR) override { return Call("SetArguments"); }
  HRESULT STDMETHODCALLTYPE GetHotkey(WORD*) override { return Call("GetHotkey"); }
  HRESULT STDMETHODCALLTYPE SetHotkey(WORD) override { return Call("SetHotkey"); }
  HRESULT STDMETHODCALLTYPE GetShowCmd(int*) override { return Call("GetShowCmd"); }
  HRESULT STDMETHODCALLTYPE SetShowCmd(int) override { return Call("SetShowCmd"); }
  HRESULT STDMETHODCALLTYPE GetIconLocation(LPWSTR, int, int*) override { return Call("GetIconLocation"); }
  HRESULT STDMETHODCALLTYPE SetIconLocation(LPCWSTR, int) override { return Call("SetIconLocation"); }
  HRESULT STDMETHODCALLTYPE SetRelativePath(LPCWSTR, DWORD) override { return Call("SetRelativePath"); }
  HRESULT STDMETHODCALLTYPE Resolve(HWND, DWORD) override { return Call("Resolve"); }
  HRESULT STDMETHODCALLTYPE SetPath(LPCWSTR) override { return Call("SetPath"); }
};

class FilePart : public Part<IPersistFile> {
 public:
  using Part::Part;
  HRESULT STDMETHODCALLTYPE GetClassID(CLSID*) override { return Call("GetClassID"); }
  HRESULT STDMETHODCALLTYPE IsDirty() override { return Call("IsDirty"); }
  HRESULT STDMETHODCALLTYPE Load(LPCOLESTR, DWORD) override { return Call("Load"); }
  HRESULT STDMETHODCALLTYPE Save(LPCOLESTR, BOOL) override { return Call("Save"); }
  HRESULT STDMETHODCALLTYPE SaveCompleted(LPCOLESTR) override { return Call("SaveCompleted"); }
  HRESULT STDMETHODCALLTYPE GetCurFile(LPOLESTR*) override { return Call("GetCurFile"); }
};

// The stand-in: one object with three interfaces, each counting its references, and a log
// of the methods called. It outlives the test's use, so that the counts can be read after.
class FakeShellLink {
 public:
  explicit FakeShellLink(Behaviour behaviour) : behaviour_(std::move(behaviour)) {}

  HRESULT QueryInterface(REFIID iid, void** object) {
    *object = nullptr;
    if (iid == IID_IUnknown)
      *object = static_cast<IUnknown*>(&unknown_);
    else if (iid == IID_IShellLinkW && behaviour_.shellLink)
      *object = static_cast<IShellLinkW*>(&link_);
    else if (iid == IID_IPersistFile && behaviour_.persistFile)
      *object = static_cast<IPersistFile*>(&file_);
    if (*object == nullptr) return E_NOINTERFACE;
    static_cast<IUnknown*>(*object)->AddRef();
    return S_OK;
  }

  HRESULT Call(const char* method) {
    calls_.push_back(method);
    if (behaviour_.throwIn == method) {
      if (behaviour_.throwIn == "Save") throw std::bad_alloc();
      throw std::runtime_error("thrown inside the shortcut object");
    }
    const auto result = behaviour_.results.find(method);
    return result == behaviour_.results.end() ? S_OK : result->second;
  }

  // Hands out the object as its IUnknown, one reference for the caller.
  IUnknown* New() {
    unknown_.AddRef();
    return &unknown_;
  }

  const std::vector<std::string>& Calls() const { return calls_; }
  // No reference left held on any interface, and none released more often than obtained.
  testing::AssertionResult AllReleased() const {
    const std::tuple<const char*, long, bool> parts[] = {
        {"IUnknown", unknown_.References(), unknown_.OverReleased()},
        {"IShellLinkW", link_.References(), link_.OverReleased()},
        {"IPersistFile", file_.References(), file_.OverReleased()},
    };
    bool ok = true;
    for (const auto& [name, held, overReleased] : parts) ok = ok && held == 0 && !overReleased;
    if (ok) return testing::AssertionSuccess();
    testing::AssertionResult failure = testing::AssertionFailure();
    for (const auto& [name, held, overReleased] : parts)
      failure << name << ": " << held << " held" << (overReleased ? ", released too often" : "") << "; ";
    return failure;
  }

 private:
  Behaviour behaviour_;
  Part<IUnknown> unknown_{*this};
  LinkPart link_{*this};
  FilePart file_{*this};
  std::vector<std::string> calls_;
};

template <class Interface>
HRESULT STDMETHODCALLTYPE Part<Interface>::QueryInterface(REFIID iid, void** object) {
  return owner_.QueryInterface(iid, object);
}

template <class Interface>
HRESULT Part<Interface>::Call(const char* method) {
  return owner_.Call(method);
}

// How the factory answers.
enum class Creation {
  kObject,           // S_OK and the object
  kFails,            // a failure and no object
  kFailsWithObject,  // a failure, yet an object handed out (a factory breaking the rules)
  kNoObject,         // S_OK without an object
};

struct Case {
  std::string name;
  Creation creation;
  Behaviour behaviour;
  HRESULT result;                  // what WriteShortcut returns
  std::vector<std::string> calls;  // the methods called, in order
};

const std::vector<std::string> kSetters = {"SetPath", "SetArguments", "SetWorkingDirectory", "SetShowCmd"};

std::vector<std::string> Steps(size_t count) {
  std::vector<std::string> all = kSetters;
  all.push_back("Save");
  all.resize(count);
  return all;
}

std::vector<Case> Cases() {
  std::vector<Case> cases = {
      {"all steps succeed", Creation::kObject, {}, S_OK, Steps(5)},
      {"creation fails", Creation::kFails, {}, REGDB_E_CLASSNOTREG, {}},
      {"creation fails after handing out an object", Creation::kFailsWithObject, {}, E_FAIL, {}},
      {"creation gives no object", Creation::kNoObject, {}, E_POINTER, {}},
      {"IShellLinkW unsupported", Creation::kObject, Without(false, true), E_NOINTERFACE, {}},
      {"IPersistFile unsupported", Creation::kObject, Without(true, false), E_NOINTERFACE, Steps(4)},
      {"Save fails", Creation::kObject, Answering("Save", E_ACCESSDENIED), E_ACCESSDENIED, Steps(5)},
      {"Save answers S_FALSE", Creation::kObject, Answering("Save", S_FALSE), S_FALSE, Steps(5)},
      {"bad_alloc thrown in Save", Creation::kObject, ThrowingIn("Save"), E_OUTOFMEMORY, Steps(5)},
  };
  for (size_t i = 0; i < kSetters.size(); ++i) {
    const std::string& setter = kSetters[i];
    cases.push_back({setter + " fails", Creation::kObject, Answering(setter, E_FAIL), E_FAIL, Steps(i + 1)});
    cases.push_back({setter + " answers S_FALSE", Creation::kObject, Answering(setter, S_FALSE), S_FALSE,
                     Steps(i + 1)});
    cases.push_back({"exception thrown in " + setter, Creation::kObject, ThrowingIn(setter), E_UNEXPECTED,
                     Steps(i + 1)});
  }
  return cases;
}

TEST(WriteShortcutCom, ReleasesEveryInterfaceAndStopsAtTheFailingStep) {
  for (const Case& c : Cases()) {
    SCOPED_TRACE(c.name);
    FakeShellLink fake(c.behaviour);
    const mimoruka::ShellLinkFactory factory = [&](IUnknown** object) -> HRESULT {
      switch (c.creation) {
        case Creation::kObject:
          *object = fake.New();
          return S_OK;
        case Creation::kFails:
          *object = nullptr;
          return REGDB_E_CLASSNOTREG;
        case Creation::kFailsWithObject:
          *object = fake.New();
          return E_FAIL;
        case Creation::kNoObject:
          *object = nullptr;
          return S_OK;
      }
      return E_UNEXPECTED;
    };
    EXPECT_EQ(WriteShortcut(factory, L"C:\\link.lnk", L"C:\\mimoruka.exe", L"\"C:\\memo.txt\"", L"",
                            mimoruka::wsNormal),
              c.result);
    EXPECT_EQ(fake.Calls(), c.calls);
    EXPECT_TRUE(fake.AllReleased());
  }
}

}  // namespace
