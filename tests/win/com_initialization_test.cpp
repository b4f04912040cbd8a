// ComInitialization and the application object that holds it: CoUninitialize runs exactly
// once, and only after an initialisation that worked. Seen from the thread's apartment
// before, inside and after the scope, on a thread of its own, alone and inside an outer
// initialisation of either kind.
#include "toolkit/com_initialization.h"

#include <objbase.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <thread>

#include "toolkit/application.h"

namespace {

enum class Apartment { kNone, kSingleThreaded, kMultithreaded };

const char* Name(Apartment a) {
  switch (a) {
    case Apartment::kNone:
      return "none";
    case Apartment::kSingleThreaded:
      return "single-threaded";
    case Apartment::kMultithreaded:
      return "multithreaded";
  }
  return "?";
}

// The calling thread's apartment. A thread that merely could join the process's
// multithreaded apartment without having initialised COM counts as none.
Apartment CurrentApartment() {
  APTTYPE type{};
  APTTYPEQUALIFIER qualifier{};
  if (FAILED(CoGetApartmentType(&type, &qualifier))) return Apartment::kNone;
  if (type == APTTYPE_STA || type == APTTYPE_MAINSTA) return Apartment::kSingleThreaded;
  if (type == APTTYPE_MTA && qualifier != APTTYPEQUALIFIER_IMPLICIT_MTA) return Apartment::kMultithreaded;
  return Apartment::kNone;
}

// The two owners of the thread's COM initialisation, behind one face.
struct Scope {
  virtual ~Scope() = default;
  virtual bool Succeeded() const = 0;
};

struct ComScope : Scope {
  toolkit::ComInitialization com;
  bool Succeeded() const override { return com.Succeeded(); }
};

struct ApplicationScope : Scope {
  toolkit::TApplication app;
  bool Succeeded() const override { return app.ComInitialized(); }
};

struct Subject {
  const char* name;
  std::function<std::unique_ptr<Scope>()> make;
};

const Subject kSubjects[] = {
    {"ComInitialization", [] { return std::unique_ptr<Scope>(new ComScope); }},
    {"TApplication", [] { return std::unique_ptr<Scope>(new ApplicationScope); }},
};

struct Case {
  const char* name;
  Apartment outer;   // the thread's own initialisation around the scope
  bool succeeded;    // what the scope says of its initialisation
  Apartment inside;  // the apartment while the scope lives
};

const Case kCases[] = {
    {"alone", Apartment::kNone, true, Apartment::kSingleThreaded},
    {"inside a single-threaded initialisation (S_FALSE)", Apartment::kSingleThreaded, true,
     Apartment::kSingleThreaded},
    {"inside a multithreaded initialisation (RPC_E_CHANGED_MODE)", Apartment::kMultithreaded, false,
     Apartment::kMultithreaded},
};

// After the scope the thread is as it was before: an extra CoUninitialize would have ended
// the outer initialisation, a missing one would keep the thread initialised after the
// outer CoUninitialize.
void Check(const Subject& subject, const Case& c) {
  ASSERT_EQ(CurrentApartment(), Apartment::kNone) << "a fresh thread";
  if (c.outer != Apartment::kNone) {
    const DWORD model = c.outer == Apartment::kSingleThreaded ? COINIT_APARTMENTTHREADED : COINIT_MULTITHREADED;
    ASSERT_EQ(CoInitializeEx(nullptr, model), S_OK);
  }
  {
    const std::unique_ptr<Scope> scope = subject.make();
    EXPECT_EQ(scope->Succeeded(), c.succeeded);
    EXPECT_STREQ(Name(CurrentApartment()), Name(c.inside));
  }
  EXPECT_STREQ(Name(CurrentApartment()), Name(c.outer)) << "after the scope";
  if (c.outer != Apartment::kNone) {
    CoUninitialize();
    EXPECT_STREQ(Name(CurrentApartment()), "none") << "after the outer CoUninitialize";
  }
}

TEST(ComInitialization, UninitialisesOnceAndOnlyAfterSuccess) {
  for (const Subject& subject : kSubjects) {
    for (const Case& c : kCases) {
      SCOPED_TRACE(std::string(subject.name) + ", " + c.name);
      std::thread([&] { Check(subject, c); }).join();  // each on a thread of its own
    }
  }
}

}  // namespace
