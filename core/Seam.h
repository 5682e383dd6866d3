#pragma once

// A process-wide platform service (locale, clipboard, message boxes, printer, URL opening) that a
// test can replace with a stand-in. Real is the service the program uses when nothing replaced it.
namespace vlnokan {

template <typename Service, typename Real> class Seam final {
public:
    static Service& get() {
        if (s_replacement)
            return *s_replacement;
        static Real real;
        return real;
    }

    // Hands the service to a stand-in until the returned guard goes out of scope.
    class Replacement final {
    public:
        explicit Replacement(Service& standIn) : m_previous(s_replacement) {
            s_replacement = &standIn;
        }
        ~Replacement() { s_replacement = m_previous; }
        Replacement(const Replacement&) = delete;
        Replacement& operator=(const Replacement&) = delete;

    private:
        Service* m_previous = nullptr;
    };

private:
    inline static Service* s_replacement = nullptr;
};

} // namespace vlnokan
