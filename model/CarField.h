#pragma once

#include <array>
#include <cstdint>

// The 21 value lines of a car block, in file order: four integers, then 17
// floats. Line k + 2 of a block holds field k.
enum class CarField : std::uint8_t {
  Model,
  Turbo,
  Value,
  Pad,
  Mass,
  FrontDriveBias,
  FrontMassBias,
  BrakeFriction,
  TurnIn,
  TurnRatio,
  RearEndStability,
  HandbrakeSlideValue,
  Thrust,
  MaxSpeed,
  AntiStrength,
  SkidThreshhold,
  Gear1Multiplier,
  Gear2Multiplier,
  Gear3Multiplier,
  Gear2Speed,
  Gear3Speed,
};

inline constexpr int CarFieldCount = 21;
inline constexpr int CarIntegerFieldCount = 4;

constexpr int FieldIndex(CarField field) { return static_cast<int>(field); }
constexpr bool IsIntegerField(CarField field) { return FieldIndex(field) < CarIntegerFieldCount; }
constexpr CarField FieldAt(int index) { return static_cast<CarField>(index); }

// The comments that the stock file gives each value line.
inline constexpr std::array<const char*, CarFieldCount> StockFieldComments = {
    "model",
    "turbo",
    "value",
    "pad",
    "mass",
    "front drive bias",
    "front mass bias",
    "brake friction",
    "turn in",
    "turn ratio",
    "rear end stability",
    "handbrake slide value",
    "thrust",
    "max_speed",
    "anti strength",
    "skid threshhold",
    "gear1 multiplier",
    "gear2 multiplier",
    "gear3 multiplier",
    "gear2 speed",
    "gear3 speed"};
