#pragma once

// What an export or an import covers, as chosen with the form's scope
// buttons, spin boxes and "separate sprites" box.
enum class ExchangeScope { Sprite, Car, AllCars };

struct ExchangeSelection
{
    ExchangeScope scope = ExchangeScope::Sprite;
    int car = 0;      // 0-based, the car on show
    int sprite = 0;   // 0-based, the sprite on show
    bool separateFiles = false;

    // Whether sprite s of car c belongs to the selection when going through
    // the table sprite by sprite.
    bool Covers(int c, int s) const
    {
        if (scope == ExchangeScope::AllCars)
            return true;
        if (c != car)
            return false;
        return scope == ExchangeScope::Car || s == sprite;
    }
};
