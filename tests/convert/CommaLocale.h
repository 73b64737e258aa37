#pragma once
// Switches the process to a locale whose decimal mark is a comma for the life of the object, so
// tests can show that number reading and writing ignore the locale.

#include <clocale>
#include <cstdio>
#include <string>

namespace halvex::testing {

class CommaLocale {
public:
    CommaLocale() {
        const char* current = std::setlocale(LC_ALL, nullptr);
        saved_ = current ? current : "C";
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8", "nl_NL.UTF-8",
                                 "es_ES.UTF-8", "it_IT.UTF-8", "ru_RU.UTF-8"}) {
            if (std::setlocale(LC_ALL, name) && PrintfUsesComma()) {
                active_ = true;
                return;
            }
        }
        std::setlocale(LC_ALL, saved_.c_str());
    }
    ~CommaLocale() { std::setlocale(LC_ALL, saved_.c_str()); }
    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;

    bool Active() const { return active_; }

private:
    static bool PrintfUsesComma() {
        char text[16];
        std::snprintf(text, sizeof text, "%.1f", 1.5);
        return std::string(text) == "1,5";
    }

    std::string saved_;
    bool active_ = false;
};

}  // namespace halvex::testing
