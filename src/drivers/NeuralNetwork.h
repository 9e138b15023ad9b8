#pragma once
#include <array>
#include <vector>

namespace drivers {

// The computer driver's reflexes: a 5-10-3 back-propagation network with logistic neurons and
// momentum. Inputs: speed, angle 1, distance 1, angle 2, distance 2 (each 0..1). Outputs:
// steering (0 full left, 0.5 straight, 1 full right), throttle, brake (each 0..1).
class NeuralNetwork {
 public:
  static constexpr int kInputs = 5;
  static constexpr int kHidden = 10;
  static constexpr int kOutputs = 3;
  // Five inputs followed by three targets.
  using Sample = std::array<double, kInputs + kOutputs>;

  // Weights drawn from platform::randInt() as -1.00 .. 1.00 in steps of 0.01, the random
  // source seeded from the clock once per layer (kept fixed under a fixed seed).
  NeuralNetwork();
  NeuralNetwork(const NeuralNetwork&) = default;
  NeuralNetwork& operator=(const NeuralNetwork&) = default;

  // The table of driving situations every new network learns.
  static const std::vector<Sample>& trainingTable();

  // Trains epoch by epoch on the table (or on the one `sample` given), stopping early once an
  // epoch's mean squared error is at most 0.001. Returns the number of epochs run.
  int train(int maxEpochs, const Sample* sample = nullptr);

  // Computes the outputs for the given inputs and returns them.
  const std::array<double, kOutputs>& compute(const std::array<double, kInputs>& inputs);
  const std::array<double, kOutputs>& outputs() const { return output_; }

  // Mean over the samples of the mean squared output error, without training.
  double meanError(const std::vector<Sample>& samples);

  double learningRate() const { return learningRate_; }
  double momentum() const { return momentum_; }

 private:
  // Weights of one layer to the next, [from][to], with their last changes for momentum and a
  // bias weight per neuron of the next layer (its input is fixed at -1).
  template <int From, int To>
  struct WeightLayer {
    std::array<std::array<double, To>, From> weights{};
    std::array<std::array<double, To>, From> lastChange{};
    std::array<double, To> biasWeights{};
  };

  void forward();
  // Returns the sample's error: the mean over the outputs of (target - output)².
  double backPropagate(const Sample& sample);

  std::array<double, kInputs> input_{};
  std::array<double, kHidden> hidden_{};
  std::array<double, kOutputs> output_{};
  WeightLayer<kInputs, kHidden> inputToHidden_;
  WeightLayer<kHidden, kOutputs> hiddenToOutput_;
  double learningRate_ = 0.2;
  bool useMomentum_ = true;
  double momentum_ = 0.9;
};

}  // namespace drivers
