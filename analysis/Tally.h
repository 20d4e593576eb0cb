#pragma once

// Right answers out of all the answers given, as the tables and charts count them.
struct Tally
{
    int right = 0;
    int answers = 0;

    int wrong() const { return answers - right; }
    // 0 to 1; 0 when there is no answer, which callers show as "—".
    double share() const { return answers > 0 ? double(right) / answers : 0.0; }
    bool isEmpty() const { return answers == 0; }

    void add(bool isRight)
    {
        ++answers;
        if (isRight)
            ++right;
    }
    Tally &operator+=(const Tally &other)
    {
        right += other.right;
        answers += other.answers;
        return *this;
    }
    bool operator==(const Tally &) const = default;
};
