#pragma once

#include <vector>

// Show times in seconds, separated by commas, as the page's address gives them ("2.5,10");
// false, with seconds left partly filled, at anything else. Null reads as none.
bool ParseShowTimes(const char* list, std::vector<double>* seconds);
