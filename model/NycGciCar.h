#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QSharedDataPointer>
#include <array>
#include <cstdint>
#include <memory>

#include "model/BlockLines.h"
#include "model/CarComments.h"
#include "model/CarField.h"
#include "model/LineValue.h"
#include "model/TextWriter.h"

class CarBatch;
class NycGciCars;

// One car of a car file: its name, 21 values and the comment of each value.
// Its text form (Block) is 22 lines joined by CR LF: the name as "{name}",
// then one value line per field. Every setter, even one that stores the value
// the record already holds, tells the owning car file that it changed.
class NycGciCar {
 public:
  NycGciCar();
  ~NycGciCar();
  NycGciCar(const NycGciCar&) = delete;
  NycGciCar& operator=(const NycGciCar&) = delete;

  QByteArray Block() const;
  // A car of its own with this car's block and exactly its values (the block
  // shows floats with three decimals, the copy keeps every bit).
  std::shared_ptr<NycGciCar> Copy() const;
  // Sets every field from a block. Fewer than 22 lines raise the bad property
  // value error with nothing changed; a line that does not parse raises its
  // error with the lines before it already stored. Lines after 22 are ignored.
  void SetBlock(QByteArrayView text);
  // Appends the block to out, without a line break after its last line.
  void AppendBlock(TextWriter& out) const;

  // A name read while its file loaded is kept with the car's batch (see
  // CarBatch); it is handed out as a copy, which may outlive the batch.
  QByteArray Name() const {
    return nameInBatch_ ? QByteArray(name_.constData(), name_.size()) : name_;
  }
  // The name's bytes, valid while the car lives and its name stays.
  QByteArrayView NameView() const { return name_; }
  NycGciCars* Parent() const { return parent_; }

  // Table access by field. SetInteger refuses Model, which only SetBlock changes.
  std::int32_t Integer(CarField field) const { return integers_[FieldIndex(field)]; }
  float Float(CarField field) const { return floats_[FieldIndex(field) - CarIntegerFieldCount]; }
  // Whether every value is the same value as the other car's (SameValue).
  bool SameValues(const NycGciCar& other) const {
    return integers_ == other.integers_ && floats_ == other.floats_;
  }
  LineValue ValueOf(CarField field) const;
  QByteArray Comment(CarField field) const {
    return comments_.constData()->texts[FieldIndex(field)];
  }
  void SetInteger(CarField field, std::int32_t value);
  // Refuses infinity and NaN with the bad property value error, storing nothing.
  void SetFloat(CarField field, float value);
  void SetComment(CarField field, QByteArray text);

  std::int32_t Model() const { return Integer(CarField::Model); }
  QByteArray ModelComment() const { return Comment(CarField::Model); }
  void SetModelComment(QByteArray text) { SetComment(CarField::Model, std::move(text)); }
  std::int32_t Turbo() const { return Integer(CarField::Turbo); }
  void SetTurbo(std::int32_t value) { SetInteger(CarField::Turbo, value); }
  QByteArray TurboComment() const { return Comment(CarField::Turbo); }
  void SetTurboComment(QByteArray text) { SetComment(CarField::Turbo, std::move(text)); }
  std::int32_t Value() const { return Integer(CarField::Value); }
  void SetValue(std::int32_t value) { SetInteger(CarField::Value, value); }
  QByteArray ValueComment() const { return Comment(CarField::Value); }
  void SetValueComment(QByteArray text) { SetComment(CarField::Value, std::move(text)); }
  std::int32_t Pad() const { return Integer(CarField::Pad); }
  void SetPad(std::int32_t value) { SetInteger(CarField::Pad, value); }
  QByteArray PadComment() const { return Comment(CarField::Pad); }
  void SetPadComment(QByteArray text) { SetComment(CarField::Pad, std::move(text)); }
  float Mass() const { return Float(CarField::Mass); }
  void SetMass(float value) { SetFloat(CarField::Mass, value); }
  QByteArray MassComment() const { return Comment(CarField::Mass); }
  void SetMassComment(QByteArray text) { SetComment(CarField::Mass, std::move(text)); }
  float FrontDriveBias() const { return Float(CarField::FrontDriveBias); }
  void SetFrontDriveBias(float value) { SetFloat(CarField::FrontDriveBias, value); }
  QByteArray FrontDriveBiasComment() const { return Comment(CarField::FrontDriveBias); }
  void SetFrontDriveBiasComment(QByteArray text) {
    SetComment(CarField::FrontDriveBias, std::move(text));
  }
  float FrontMassBias() const { return Float(CarField::FrontMassBias); }
  void SetFrontMassBias(float value) { SetFloat(CarField::FrontMassBias, value); }
  QByteArray FrontMassBiasComment() const { return Comment(CarField::FrontMassBias); }
  void SetFrontMassBiasComment(QByteArray text) {
    SetComment(CarField::FrontMassBias, std::move(text));
  }
  float BrakeFriction() const { return Float(CarField::BrakeFriction); }
  void SetBrakeFriction(float value) { SetFloat(CarField::BrakeFriction, value); }
  QByteArray BrakeFrictionComment() const { return Comment(CarField::BrakeFriction); }
  void SetBrakeFrictionComment(QByteArray text) {
    SetComment(CarField::BrakeFriction, std::move(text));
  }
  float TurnIn() const { return Float(CarField::TurnIn); }
  void SetTurnIn(float value) { SetFloat(CarField::TurnIn, value); }
  QByteArray TurnInComment() const { return Comment(CarField::TurnIn); }
  void SetTurnInComment(QByteArray text) { SetComment(CarField::TurnIn, std::move(text)); }
  float TurnRatio() const { return Float(CarField::TurnRatio); }
  void SetTurnRatio(float value) { SetFloat(CarField::TurnRatio, value); }
  QByteArray TurnRatioComment() const { return Comment(CarField::TurnRatio); }
  void SetTurnRatioComment(QByteArray text) { SetComment(CarField::TurnRatio, std::move(text)); }
  float RearEndStability() const { return Float(CarField::RearEndStability); }
  void SetRearEndStability(float value) { SetFloat(CarField::RearEndStability, value); }
  QByteArray RearEndStabilityComment() const { return Comment(CarField::RearEndStability); }
  void SetRearEndStabilityComment(QByteArray text) {
    SetComment(CarField::RearEndStability, std::move(text));
  }
  float HandbrakeSlideValue() const { return Float(CarField::HandbrakeSlideValue); }
  void SetHandbrakeSlideValue(float value) { SetFloat(CarField::HandbrakeSlideValue, value); }
  QByteArray HandbrakeSlideValueComment() const { return Comment(CarField::HandbrakeSlideValue); }
  void SetHandbrakeSlideValueComment(QByteArray text) {
    SetComment(CarField::HandbrakeSlideValue, std::move(text));
  }
  float Thrust() const { return Float(CarField::Thrust); }
  void SetThrust(float value) { SetFloat(CarField::Thrust, value); }
  QByteArray ThrustComment() const { return Comment(CarField::Thrust); }
  void SetThrustComment(QByteArray text) { SetComment(CarField::Thrust, std::move(text)); }
  float MaxSpeed() const { return Float(CarField::MaxSpeed); }
  void SetMaxSpeed(float value) { SetFloat(CarField::MaxSpeed, value); }
  QByteArray MaxSpeedComment() const { return Comment(CarField::MaxSpeed); }
  void SetMaxSpeedComment(QByteArray text) { SetComment(CarField::MaxSpeed, std::move(text)); }
  float AntiStrength() const { return Float(CarField::AntiStrength); }
  void SetAntiStrength(float value) { SetFloat(CarField::AntiStrength, value); }
  QByteArray AntiStrengthComment() const { return Comment(CarField::AntiStrength); }
  void SetAntiStrengthComment(QByteArray text) {
    SetComment(CarField::AntiStrength, std::move(text));
  }
  float SkidThreshhold() const { return Float(CarField::SkidThreshhold); }
  void SetSkidThreshhold(float value) { SetFloat(CarField::SkidThreshhold, value); }
  QByteArray SkidThreshholdComment() const { return Comment(CarField::SkidThreshhold); }
  void SetSkidThreshholdComment(QByteArray text) {
    SetComment(CarField::SkidThreshhold, std::move(text));
  }
  float Gear1Multiplier() const { return Float(CarField::Gear1Multiplier); }
  void SetGear1Multiplier(float value) { SetFloat(CarField::Gear1Multiplier, value); }
  QByteArray Gear1MultiplierComment() const { return Comment(CarField::Gear1Multiplier); }
  void SetGear1MultiplierComment(QByteArray text) {
    SetComment(CarField::Gear1Multiplier, std::move(text));
  }
  float Gear2Multiplier() const { return Float(CarField::Gear2Multiplier); }
  void SetGear2Multiplier(float value) { SetFloat(CarField::Gear2Multiplier, value); }
  QByteArray Gear2MultiplierComment() const { return Comment(CarField::Gear2Multiplier); }
  void SetGear2MultiplierComment(QByteArray text) {
    SetComment(CarField::Gear2Multiplier, std::move(text));
  }
  float Gear3Multiplier() const { return Float(CarField::Gear3Multiplier); }
  void SetGear3Multiplier(float value) { SetFloat(CarField::Gear3Multiplier, value); }
  QByteArray Gear3MultiplierComment() const { return Comment(CarField::Gear3Multiplier); }
  void SetGear3MultiplierComment(QByteArray text) {
    SetComment(CarField::Gear3Multiplier, std::move(text));
  }
  float Gear2Speed() const { return Float(CarField::Gear2Speed); }
  void SetGear2Speed(float value) { SetFloat(CarField::Gear2Speed, value); }
  QByteArray Gear2SpeedComment() const { return Comment(CarField::Gear2Speed); }
  void SetGear2SpeedComment(QByteArray text) { SetComment(CarField::Gear2Speed, std::move(text)); }
  float Gear3Speed() const { return Float(CarField::Gear3Speed); }
  void SetGear3Speed(float value) { SetFloat(CarField::Gear3Speed, value); }
  QByteArray Gear3SpeedComment() const { return Comment(CarField::Gear3Speed); }
  void SetGear3SpeedComment(QByteArray text) { SetComment(CarField::Gear3Speed, std::move(text)); }

 private:
  friend class CarParse;
  friend class NycGciCars;
  void SetParent(NycGciCars* parent) { parent_ = parent; }
  // SetBlock of a block already split into its lines (split is false when it
  // had fewer than 22), sharing the comment set of a neighbour when it is the
  // same, and keeping the name with the batch that made the car, if given.
  void SetLinesSharing(const BlockLines& lines, bool split, const NycGciCar* neighbour,
                       CarBatch* batch);
  // Same for a block of 22 lines.
  void ReadLines(const BlockLines& lines, const NycGciCar* neighbour, CarBatch* batch);
  void NotifyParent();

  NycGciCars* parent_ = nullptr;
  QByteArray name_;
  std::array<std::int32_t, CarIntegerFieldCount> integers_{};
  std::array<float, CarFieldCount - CarIntegerFieldCount> floats_{};
  QSharedDataPointer<CarComments> comments_;
  bool nameInBatch_ = false;
};
