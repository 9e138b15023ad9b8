#include "drivers/NeuralNetwork.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/Random.h"

namespace drivers {

namespace {

constexpr double kBiasInput = -1.0;
constexpr double kGoodEnough = 0.001;

double logistic(double sum) {
  return 1.0 / (1.0 + std::exp(-sum));
}

double randomWeight() {
  const int drawn = std::clamp(std::abs(platform::randInt()) % 201, 0, 200);
  return drawn / 100.0 - 1.0;
}

template <typename Layer>
void randomise(Layer& layer) {
  platform::seedFromClock();
  for (auto& row : layer.weights) {
    for (double& weight : row) weight = randomWeight();
  }
  for (double& bias : layer.biasWeights) bias = randomWeight();
}

}  // namespace

NeuralNetwork::NeuralNetwork() {
  randomise(inputToHidden_);
  randomise(hiddenToOutput_);
}

// The lessons, as a driving teacher would give them. Speed is the car's speed against the
// speed its line allows just ahead: 0.5 is exactly that speed, 0.4 is 4 % slower, 0.6 4 %
// faster. Angles are the bearings of the near and the far target (0.5 straight ahead).
// Distances carry no lesson here: they vary over their usual range so that the network learns
// to leave them aside.
const std::vector<NeuralNetwork::Sample>& NeuralNetwork::trainingTable() {
  struct Situation {
    double speed, angle1, angle2;
  };
  // clang-format off
  static const Situation situations[] = {
      // Holding the speed through bends of every kind: steering only.
      {0.5, 0.5, 0.5},  {0.5, 0.6, 0.6},   {0.5, 0.4, 0.4},  {0.5, 0.7, 0.8},  {0.5, 0.3, 0.2},
      {0.5, 0.85, 1.0}, {0.5, 0.15, 0.0},  {0.5, 1.0, 1.0},  {0.5, 0.0, 0.0},  {0.5, 0.55, 0.7},
      {0.5, 0.45, 0.3}, {0.5, 0.5, 0.8},   {0.5, 0.5, 0.2},  {0.5, 0.6, 0.4},  {0.5, 0.4, 0.6},
      // Too slow or too fast on the straight: pedals only.
      {0.0, 0.5, 0.5},  {0.2, 0.5, 0.5},   {0.4, 0.5, 0.5},  {0.45, 0.5, 0.5}, {0.55, 0.5, 0.5},
      {0.6, 0.5, 0.5},  {0.7, 0.5, 0.5},   {0.85, 0.5, 0.5}, {1.0, 0.5, 0.5},
      // Both at once: full throttle out of a bend, braking into one.
      {0.0, 0.7, 0.8},  {0.3, 0.7, 0.8},   {0.65, 0.7, 0.8}, {1.0, 0.7, 0.8},  {0.2, 0.3, 0.2},
      {0.7, 0.3, 0.2},  {0.4, 0.9, 1.0},   {0.8, 0.9, 1.0},  {0.45, 0.1, 0.0}, {0.9, 0.1, 0.0},
      {0.0, 0.65, 0.65}, {0.6, 0.4, 0.3},
  };
  // clang-format on
  static const double nearDistances[] = {0.1, 0.3, 0.6, 1.0, 0.2};
  static const double farDistances[] = {0.3, 0.6, 1.0, 0.8};
  static const std::vector<Sample> table = [] {
    std::vector<Sample> samples;
    std::size_t row = 0;
    for (const Situation& s : situations) {
      // Steer mostly for the near target, a little for the far one; never quite full lock.
      const double steering =
          std::clamp(0.5 + 0.8 * (s.angle1 - 0.5) + 0.2 * (s.angle2 - 0.5), 0.05, 0.95);
      // Full throttle up to 4 % under the speed, hold it, lift and brake above it.
      const double throttle = std::clamp((0.55 - s.speed) / 0.15, 0.0, 1.0);
      const double brake = std::clamp((s.speed - 0.55) / 0.15, 0.0, 1.0);
      const double near = nearDistances[row % 5];
      const double far = std::max(near, farDistances[row % 4]);
      samples.push_back({s.speed, s.angle1, near, s.angle2, far, steering, throttle, brake});
      ++row;
    }
    return samples;
  }();
  return table;
}

void NeuralNetwork::forward() {
  for (int j = 0; j < kHidden; ++j) {
    double sum = kBiasInput * inputToHidden_.biasWeights[j];
    for (int i = 0; i < kInputs; ++i) sum += input_[i] * inputToHidden_.weights[i][j];
    hidden_[j] = logistic(sum);
  }
  for (int j = 0; j < kOutputs; ++j) {
    double sum = kBiasInput * hiddenToOutput_.biasWeights[j];
    for (int i = 0; i < kHidden; ++i) sum += hidden_[i] * hiddenToOutput_.weights[i][j];
    output_[j] = logistic(sum);
  }
}

const std::array<double, NeuralNetwork::kOutputs>& NeuralNetwork::compute(
    const std::array<double, kInputs>& inputs) {
  input_ = inputs;
  forward();
  return output_;
}

double NeuralNetwork::backPropagate(const Sample& sample) {
  std::copy(sample.begin(), sample.begin() + kInputs, input_.begin());
  forward();

  double error = 0;
  std::array<double, kOutputs> outputTerms{};
  for (int j = 0; j < kOutputs; ++j) {
    const double target = sample[static_cast<std::size_t>(kInputs + j)];
    const double a = output_[j];
    error += (target - a) * (target - a);
    outputTerms[j] = a * (target - a) * (1 - a);
  }
  error /= kOutputs;

  // Every error term is taken from the weights as they were before this sample changes them.
  std::array<double, kHidden> hiddenTerms{};
  for (int i = 0; i < kHidden; ++i) {
    double sum = 0;
    for (int j = 0; j < kOutputs; ++j) sum += hiddenToOutput_.weights[i][j] * outputTerms[j];
    hiddenTerms[i] = hidden_[i] * (1 - hidden_[i]) * sum;
  }

  const auto adjust = [this](auto& layer, const auto& from, const auto& terms) {
    for (std::size_t i = 0; i < from.size(); ++i) {
      for (std::size_t j = 0; j < terms.size(); ++j) {
        const double change = terms[j] * learningRate_ * from[i];
        const double carried = useMomentum_ ? momentum_ * layer.lastChange[i][j] : 0.0;
        layer.weights[i][j] += change + carried;
        layer.lastChange[i][j] = change;
      }
    }
    for (std::size_t j = 0; j < terms.size(); ++j) {
      layer.biasWeights[j] += terms[j] * learningRate_ * kBiasInput;
    }
  };
  adjust(inputToHidden_, input_, hiddenTerms);
  adjust(hiddenToOutput_, hidden_, outputTerms);
  return error;
}

int NeuralNetwork::train(int maxEpochs, const Sample* sample) {
  const std::vector<Sample> single = sample ? std::vector<Sample>{*sample} : std::vector<Sample>{};
  const std::vector<Sample>& samples = sample ? single : trainingTable();
  int epochs = 0;
  while (epochs < maxEpochs) {
    ++epochs;
    double sum = 0;
    for (const Sample& s : samples) sum += backPropagate(s);
    if (sum / static_cast<double>(samples.size()) <= kGoodEnough) break;
  }
  return epochs;
}

double NeuralNetwork::meanError(const std::vector<Sample>& samples) {
  if (samples.empty()) return 0;
  double sum = 0;
  for (const Sample& s : samples) {
    std::copy(s.begin(), s.begin() + kInputs, input_.begin());
    forward();
    for (int j = 0; j < kOutputs; ++j) {
      const double diff = s[static_cast<std::size_t>(kInputs + j)] - output_[j];
      sum += diff * diff / kOutputs;
    }
  }
  return sum / static_cast<double>(samples.size());
}

}  // namespace drivers
