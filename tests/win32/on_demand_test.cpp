// COM made ready on a thread the first time the link or a screen reader needs
// it, whatever the thread's COM was before, and undone only where it was made.
#include <windows.h>

#include <objbase.h>

#include <gtest/gtest.h>

#include <thread>

#include "on_demand.h"

namespace {

namespace OnDemand = Quillo::Win32::OnDemand;

enum class Com { None, SingleThreaded, MultiThreaded };

// The thread's apartment (the process's main one is single-threaded too).
Com Apartment() {
  APTTYPE type{};
  APTTYPEQUALIFIER qualifier{};
  if (FAILED(CoGetApartmentType(&type, &qualifier))) return Com::None;
  return type == APTTYPE_MTA ? Com::MultiThreaded : Com::SingleThreaded;
}

struct ComCase {
  const char* name;
  Com before;    // the thread's own initialisation
  Com ready;     // the apartment after ComReady
  Com released;  // after ReleaseCom
};

TEST(OnDemand, ComIsReadyOnceAndReleasedOnlyWhereItWasMade) {
  const ComCase cases[] = {
      {"uninitialised thread", Com::None, Com::SingleThreaded, Com::None},
      {"thread in a single-threaded apartment", Com::SingleThreaded, Com::SingleThreaded, Com::SingleThreaded},
      {"thread in the multithreaded apartment", Com::MultiThreaded, Com::MultiThreaded, Com::MultiThreaded},
  };
  for (const ComCase& c : cases) {
    // Each case on a thread of its own: the state is per thread.
    std::thread([&c] {
      if (c.before != Com::None) {
        const DWORD model = c.before == Com::MultiThreaded ? COINIT_MULTITHREADED : COINIT_APARTMENTTHREADED;
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, model))) << c.name;
      }
      EXPECT_TRUE(OnDemand::ComReady()) << c.name;
      EXPECT_TRUE(OnDemand::ComReady()) << c.name;  // a second call changes nothing
      EXPECT_EQ(Apartment(), c.ready) << c.name;
      OnDemand::ReleaseCom();
      EXPECT_EQ(Apartment(), c.released) << c.name;
      if (c.before != Com::None) CoUninitialize();
      EXPECT_EQ(Apartment(), Com::None) << c.name;
    }).join();
  }
}

}  // namespace
