#pragma once

#include <optional>

class QWidget;

// The model and band a new code plug is made for (indexes as `codeplug new` takes them).
struct NewPlugChoice
{
    int model = 0;
    int band = 2;
};

// Asks for the model and the band of a new code plug; none when the dialog is cancelled.
std::optional<NewPlugChoice> askNewPlugChoice(QWidget *parent);
