#include "solver/qorcoordinates.h"

namespace {

constexpr int Factorial[] = {1, 1, 2, 6, 24, 120, 720, 5040, 40320};

int Choose(int n, int k) {
    if (k < 0 || k > n)
        return 0;
    int r = 1;
    for (int i = 0; i < k; ++i)
        r = r * (n - i) / (i + 1);
    return r;
}

// Lehmer rank: for each item, how many later items are smaller, in the factorial base.
int PermRank(const uint8_t* p, int n) {
    int rank = 0;
    for (int i = 0; i < n; ++i) {
        int smaller = 0;
        for (int j = i + 1; j < n; ++j)
            smaller += p[j] < p[i];
        rank += smaller * Factorial[n - 1 - i];
    }
    return rank;
}

// The permutation of 0 .. n-1 with that rank, each value offset by base.
void PermUnrank(int rank, uint8_t* p, int n, int base) {
    uint8_t left[12];
    for (int i = 0; i < n; ++i)
        left[i] = uint8_t(i);
    for (int i = 0; i < n; ++i) {
        const int k = rank / Factorial[n - 1 - i];
        rank %= Factorial[n - 1 - i];
        p[i] = uint8_t(left[k] + base);
        for (int j = k; j < n - 1 - i; ++j)
            left[j] = left[j + 1];
    }
}

} // namespace

namespace QORCoord {

int Twist(const QORCubieCube& c) {
    int t = 0;
    for (int i = 0; i < 7; ++i)
        t = 3 * t + c.Co[i];
    return t;
}

void SetTwist(QORCubieCube& c, int twist) {
    int sum = 0;
    for (int i = 6; i >= 0; --i) {
        c.Co[i] = uint8_t(twist % 3);
        sum += c.Co[i];
        twist /= 3;
    }
    c.Co[7] = uint8_t((3 - sum % 3) % 3);
}

int Flip(const QORCubieCube& c) {
    int f = 0;
    for (int i = 0; i < 11; ++i)
        f = 2 * f + c.Eo[i];
    return f;
}

void SetFlip(QORCubieCube& c, int flip) {
    int sum = 0;
    for (int i = 10; i >= 0; --i) {
        c.Eo[i] = uint8_t(flip % 2);
        sum += c.Eo[i];
        flip /= 2;
    }
    c.Eo[11] = uint8_t(sum % 2);
}

int Slice(const QORCubieCube& c) {
    // Places as a combination ranked by the sum of (place choose k), the middle edges met in
    // place order giving the order.
    int places = 0, k = 0;
    uint8_t order[4];
    for (int slot = 0; slot < 12; ++slot)
        if (c.Ep[slot] >= 8) {
            order[k] = uint8_t(c.Ep[slot] - 8);
            places += Choose(slot, ++k);
        }
    return places * SliceOrders + PermRank(order, 4);
}

void SetSlice(QORCubieCube& c, int slice) {
    int places = slice / SliceOrders;
    uint8_t order[4];
    PermUnrank(slice % SliceOrders, order, 4, 8);
    bool middle[12] = {};
    int slotOf[4];
    for (int k = 4; k >= 1; --k) {
        int slot = k - 1;
        while (Choose(slot + 1, k) <= places)
            ++slot;
        places -= Choose(slot, k);
        middle[slot] = true;
        slotOf[k - 1] = slot;
    }
    for (int k = 0; k < 4; ++k)
        c.Ep[slotOf[k]] = order[k];
    uint8_t other = 0;
    for (int slot = 0; slot < 12; ++slot)
        if (!middle[slot])
            c.Ep[slot] = other++;
}

int CornerPerm(const QORCubieCube& c) {
    return PermRank(c.Cp.data(), 8);
}

void SetCornerPerm(QORCubieCube& c, int perm) {
    PermUnrank(perm, c.Cp.data(), 8, 0);
}

int EdgePerm(const QORCubieCube& c) {
    return PermRank(c.Ep.data(), 8);
}

void SetEdgePerm(QORCubieCube& c, int perm) {
    PermUnrank(perm, c.Ep.data(), 8, 0);
    for (int slot = 8; slot < 12; ++slot)
        c.Ep[slot] = uint8_t(slot);
}

} // namespace QORCoord
