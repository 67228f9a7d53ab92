#pragma once
// The figures of interleaved bench rounds: min, median and max, never the median alone.
#include <QString>

#include <algorithm>
#include <vector>

struct Figures {
    std::vector<double> values;
    void add(double v) { values.push_back(v); }
    QString text() const
    {
        std::vector<double> v = values;
        std::sort(v.begin(), v.end());
        return v.empty() ? QString()
                         : QStringLiteral("min %1  median %2  max %3")
                               .arg(v.front(), 0, 'f', 2)
                               .arg(v[v.size() / 2], 0, 'f', 2)
                               .arg(v.back(), 0, 'f', 2);
    }
};
