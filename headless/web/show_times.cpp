#include "headless/web/show_times.h"

#include <cstdlib>
#include <sstream>
#include <string>

bool ParseShowTimes(const char* list, std::vector<double>* seconds) {
    std::stringstream items(list != nullptr ? list : "");
    std::string item;
    while (std::getline(items, item, ',')) {
        char* end = nullptr;
        const double value = std::strtod(item.c_str(), &end);
        if (item.empty() || *end != '\0' || !(value >= 0.0)) {
            return false;
        }
        seconds->push_back(value);
    }
    return true;
}
