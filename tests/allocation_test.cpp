// The update path allocates nothing.
//
// The simulator calls the module 18 times a second for every gauge; an
// allocation there can stall on the host's heap lock or fail under memory
// pressure in the middle of a flight. This program replaces the global
// allocation functions with counting ones and drives the whole catalogue
// through updates, draws and clicks after install: the count must stay 0.
// (No part of the module uses over-aligned types, so the aligned forms are
// left to the library.)
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <limits>
#include <new>

#include "module/aircraft_state.h"
#include "support/bare_host.h"

namespace {

std::atomic<bool> counting{false};
std::atomic<std::size_t> allocations{0};

void* allocate(std::size_t size) {
    if (counting.load(std::memory_order_relaxed)) allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace kadrimos::testing {
namespace {

// Counts the allocations made while it lives.
class AllocationCount {
public:
    AllocationCount() {
        allocations = 0;
        counting = true;
    }
    ~AllocationCount() { counting = false; }
    std::size_t now() const { return allocations.load(); }
};

// Every area of every gauge, clicked once, with an update and a draw after
// each gauge's clicks.
void click_everything(BareHost& host) {
    for (std::size_t g = 0; g < host.gauge_count(); ++g) {
        for (std::size_t a = 0; a < host.area_count(g); ++a) host.click(g, a);
        host.update(g);
        host.draw(g);
    }
}

TEST(UpdatePath, TheCountingAllocatorSeesAnAllocation) {
    static int* volatile kept;  // an allocation the optimiser cannot drop
    AllocationCount count;
    kept = new int(3);
    delete kept;
    EXPECT_EQ(count.now(), 1u);
}

TEST(UpdatePath, UpdatesDrawsAndClicksAllocateNothingOnTheGround) {
    BareHost host;
    host.set(60, 1);  // on the ground
    host.install_all();
    AllocationCount count;
    for (int tick = 0; tick < 400; ++tick) {
        host.update_all();
        host.draw_all();
        if (tick % 50 == 10) click_everything(host);
    }
    EXPECT_EQ(count.now(), 0u);
    EXPECT_GT(host.drawn_sum, 0);
}

TEST(UpdatePath, ARunningAircraftInFlightAllocatesNothing) {
    BareHost host;
    host.set(60, 0);
    host.set(329, 1);  // engines running
    for (uint32_t token : {624u, 625u, 643u, 644u}) host.set(token, 90);
    host.set(73, 3000);
    host.install_all();
    AllocationCount count;
    for (int tick = 0; tick < 400; ++tick) {
        host.update_all();
        host.draw_all();
        if (tick % 50 == 10) click_everything(host);
    }
    EXPECT_EQ(count.now(), 0u);
}

TEST(UpdatePath, HostileHostValuesAllocateNothing) {
    BareHost host;
    host.install_all();
    const double values[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity(), 1e300, -1e300, -0.0,
                             std::numeric_limits<double>::denorm_min()};
    AllocationCount count;
    for (double v : values) {
        for (uint32_t token = 0; token < BareHost::kTokens; ++token)
            if (token != BareHost::kTokenTicks) host.set(token, v);
        host.calculator_value = v;
        for (int tick = 0; tick < 20; ++tick) {
            host.update_all();
            host.draw_all();
        }
        click_everything(host);
    }
    EXPECT_EQ(count.now(), 0u);
}

}  // namespace
}  // namespace kadrimos::testing
