#include "framework/rtl/FloatDecimal.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace fw {

namespace {

// An unsigned big integer, 32-bit limbs from the least significant.
class BigInt {
public:
    BigInt() = default;
    explicit BigInt(uint64_t v) {
        while (v) {
            limbs_.push_back(static_cast<uint32_t>(v));
            v >>= 32;
        }
    }

    bool IsZero() const { return limbs_.empty(); }

    void MulAdd(uint32_t factor, uint32_t addend = 0) {
        uint64_t carry = addend;
        for (uint32_t& limb : limbs_) {
            uint64_t p = static_cast<uint64_t>(limb) * factor + carry;
            limb = static_cast<uint32_t>(p);
            carry = p >> 32;
        }
        if (carry) limbs_.push_back(static_cast<uint32_t>(carry));
        Trim();
    }

    void MulPow(uint32_t base, uint32_t chunkPower, int chunkExp, int exp) {
        for (; exp >= chunkExp; exp -= chunkExp) MulAdd(chunkPower);
        while (exp-- > 0) MulAdd(base);
    }

    void ShiftLeft(int bits) {
        if (IsZero() || bits <= 0) return;
        int words = bits / 32, rest = bits % 32;
        if (rest) {
            uint32_t carry = 0;
            for (uint32_t& limb : limbs_) {
                uint32_t next = limb >> (32 - rest);
                limb = (limb << rest) | carry;
                carry = next;
            }
            if (carry) limbs_.push_back(carry);
        }
        limbs_.insert(limbs_.begin(), words, 0);
    }

    int BitLength() const {
        if (IsZero()) return 0;
        uint32_t top = limbs_.back();
        int n = 0;
        while (top) {
            ++n;
            top >>= 1;
        }
        return static_cast<int>(limbs_.size() - 1) * 32 + n;
    }

    bool Bit(int i) const {
        size_t w = static_cast<size_t>(i) / 32;
        return w < limbs_.size() && ((limbs_[w] >> (i % 32)) & 1);
    }

    // Any bit below position i set.
    bool AnyBelow(int i) const {
        for (int b = 0; b < i; ++b)
            if (Bit(b)) return true;
        return false;
    }

    // Bits [from, from + count) as a number (count <= 64).
    uint64_t Bits(int from, int count) const {
        uint64_t v = 0;
        for (int b = count - 1; b >= 0; --b) v = (v << 1) | (Bit(from + b) ? 1 : 0);
        return v;
    }

    int Compare(const BigInt& o) const {
        if (limbs_.size() != o.limbs_.size()) return limbs_.size() < o.limbs_.size() ? -1 : 1;
        for (size_t i = limbs_.size(); i-- > 0;)
            if (limbs_[i] != o.limbs_[i]) return limbs_[i] < o.limbs_[i] ? -1 : 1;
        return 0;
    }

    void Subtract(const BigInt& o) {  // *this >= o
        int64_t borrow = 0;
        for (size_t i = 0; i < limbs_.size(); ++i) {
            int64_t d = static_cast<int64_t>(limbs_[i]) - (i < o.limbs_.size() ? o.limbs_[i] : 0) - borrow;
            borrow = d < 0;
            limbs_[i] = static_cast<uint32_t>(d + (borrow << 32));
        }
        Trim();
    }

    // Quotient by `d` by binary long division; the remainder is left in *this.
    BigInt DivMod(const BigInt& d) {
        BigInt q, r;
        int n = BitLength();
        q.limbs_.assign(limbs_.size(), 0);
        for (int i = n - 1; i >= 0; --i) {
            r.ShiftLeft(1);
            if (Bit(i)) {
                if (r.IsZero())
                    r.limbs_.push_back(1);
                else
                    r.limbs_[0] |= 1;
            }
            if (r.Compare(d) >= 0) {
                r.Subtract(d);
                q.limbs_[i / 32] |= 1u << (i % 32);
            }
        }
        q.Trim();
        *this = r;
        return q;
    }

    std::string ToDecimal() const {
        if (IsZero()) return "0";
        std::vector<uint32_t> n = limbs_;
        std::string out;
        while (!n.empty()) {
            uint64_t rem = 0;
            for (size_t i = n.size(); i-- > 0;) {
                uint64_t cur = (rem << 32) | n[i];
                n[i] = static_cast<uint32_t>(cur / 1000000000u);
                rem = cur % 1000000000u;
            }
            while (!n.empty() && n.back() == 0) n.pop_back();
            for (int k = 0; k < 9; ++k) {
                out.push_back(static_cast<char>('0' + rem % 10));
                rem /= 10;
                if (n.empty() && rem == 0) break;
            }
        }
        while (out.size() > 1 && out.back() == '0') out.pop_back();
        return std::string(out.rbegin(), out.rend());
    }

private:
    void Trim() {
        while (!limbs_.empty() && limbs_.back() == 0) limbs_.pop_back();
    }
    std::vector<uint32_t> limbs_;
};

constexpr uint32_t kFive13 = 1220703125u;  // 5^13, the largest power of 5 in 32 bits
constexpr uint32_t kTen9 = 1000000000u;
constexpr int kMantissaBits = 64;
constexpr int kMinExponent = -16445;  // weight of the lowest bit of the smallest denormal
constexpr int kMaxBitLength = 16384;  // values below 2^16384

}  // namespace

TDecimalDigits ExactDecimal(long double value) {
    TDecimalDigits d;
    unsigned char raw[10];
    std::memcpy(raw, &value, 10);
    uint64_t mantissa;
    std::memcpy(&mantissa, raw, 8);
    int biased = (raw[8] | (raw[9] << 8)) & 0x7FFF;
    d.negative = (raw[9] & 0x80) != 0;
    if (mantissa == 0) {
        d.negative = false;
        return d;
    }
    // value = mantissa x 2^e2
    int e2 = (biased == 0 ? 1 : biased) - 16383 - 63;
    BigInt n(mantissa);
    int decimalShift = 0;
    if (e2 >= 0) {
        n.ShiftLeft(e2);
    } else {
        // mantissa / 2^k = mantissa x 5^k / 10^k
        n.MulPow(5, kFive13, 13, -e2);
        decimalShift = -e2;
    }
    std::string digits = n.ToDecimal();
    d.exponent = static_cast<int>(digits.size()) - decimalShift;
    while (!digits.empty() && digits.back() == '0') digits.pop_back();
    d.digits = digits;
    return d;
}

TDecimalDigits RoundDecimal(const TDecimalDigits& d, int significant, int decimals) {
    int keep = significant;
    if (decimals >= 0 && d.exponent + decimals < keep) keep = d.exponent + decimals;
    if (keep < 0 || d.digits.empty()) return TDecimalDigits{};
    if (keep >= static_cast<int>(d.digits.size())) return d;
    TDecimalDigits r = d;
    r.digits = d.digits.substr(0, keep);
    if (d.digits[keep] >= '5') {
        int i = keep - 1;
        while (i >= 0 && r.digits[i] == '9') r.digits[i--] = '0';
        if (i >= 0) {
            ++r.digits[i];
        } else {
            r.digits.insert(r.digits.begin(), '1');
            ++r.exponent;
        }
    }
    while (!r.digits.empty() && r.digits.back() == '0') r.digits.pop_back();
    if (r.digits.empty()) return TDecimalDigits{};
    return r;
}

bool DecimalToExtended(const std::string& digitsIn, long exponent, bool negative, long double& value) {
    size_t first = digitsIn.find_first_not_of('0');
    if (first == std::string::npos) {
        value = negative ? -0.0L : 0.0L;
        return true;
    }
    // value = int(digits) x 10^e10, without leading or trailing zeros
    long e10 = exponent - static_cast<long>(digitsIn.size());
    std::string digits = digitsIn.substr(first);
    size_t last = digits.find_last_not_of('0');
    e10 += static_cast<long>(digits.size() - 1 - last);
    digits.resize(last + 1);
    const long magnitude = e10 + static_cast<long>(digits.size());  // value < 10^magnitude
    if (magnitude > 4933) return false;
    if (magnitude < -4952) {
        value = negative ? -0.0L : 0.0L;
        return true;
    }

    BigInt num;
    for (size_t i = 0; i < digits.size(); i += 9) {
        std::string chunk = digits.substr(i, 9);
        uint32_t scale = 1;
        for (size_t k = 0; k < chunk.size(); ++k) scale *= 10;
        num.MulAdd(scale, static_cast<uint32_t>(std::stoul(chunk)));
    }
    BigInt den(1);
    if (e10 >= 0)
        num.MulPow(10, kTen9, 9, static_cast<int>(e10));
    else
        den.MulPow(10, kTen9, 9, static_cast<int>(-e10));

    // q = num x 2^s / den with at least 66 bits: 64 kept, one to round, more.
    int s = kMantissaBits + 2 + den.BitLength() - num.BitLength();
    if (s < 0) s = 0;
    num.ShiftLeft(s);
    BigInt q = num.DivMod(den);
    const bool remainder = !num.IsZero();
    const int length = q.BitLength();
    if (length - s > kMaxBitLength) return false;

    // Fewer bits are kept in the denormal range.
    int keep = kMantissaBits;
    if (length - s - keep < kMinExponent) keep = length - s - kMinExponent;
    if (keep < 0) {
        value = negative ? -0.0L : 0.0L;
        return true;
    }
    int drop = length - keep;
    uint64_t m = keep > 0 ? q.Bits(drop, keep) : 0;
    bool half = drop > 0 && q.Bit(drop - 1);
    bool more = remainder || (drop > 1 && q.AnyBelow(drop - 1));
    if (half && (more || (m & 1))) {
        ++m;
        if (m == 0) {  // carried out of 64 bits: 2^64
            m = uint64_t(1) << 63;
            ++drop;
        }
    }
    long double v = std::ldexp(static_cast<long double>(m), drop - s);
    if (std::isinf(v)) return false;
    value = negative ? -v : v;
    return true;
}

}  // namespace fw
