#include "drivers/NeuralNetwork.h"

#include <gtest/gtest.h>

#include "platform/Random.h"

namespace {

// Training takes a moment; every test shares one trained network.
const NeuralNetwork& trainedNetwork(int* epochs = nullptr) {
  static int trainingEpochs = 0;
  static const NeuralNetwork network = [] {
    platform::setFixedSeed(7);
    NeuralNetwork fresh;
    trainingEpochs = fresh.train(100000);
    return fresh;
  }();
  if (epochs) *epochs = trainingEpochs;
  return network;
}

TEST(NeuralNetwork, NewWeightsGiveMiddlingUntrainedOutputs) {
  platform::setFixedSeed(3);
  NeuralNetwork a;
  platform::setFixedSeed(3);
  NeuralNetwork b;
  platform::setFixedSeed(4);
  NeuralNetwork c;
  const std::array<double, 5> inputs = {0.1, 0.5, 0.2, 0.5, 0.7};
  const auto outA = a.compute(inputs);
  const auto outB = b.compute(inputs);
  const auto outC = c.compute(inputs);
  EXPECT_EQ(outA, outB);  // one seed, one network
  EXPECT_NE(outA, outC);
  for (double o : outA) {
    EXPECT_GT(o, 0.0);
    EXPECT_LT(o, 1.0);
  }
  EXPECT_DOUBLE_EQ(a.learningRate(), 0.2);
  EXPECT_DOUBLE_EQ(a.momentum(), 0.9);
}

TEST(NeuralNetwork, TrainedOnTheTableAStandingCarWithTheRoadAheadDrivesOffStraight) {
  int epochs = 0;
  NeuralNetwork network = trainedNetwork(&epochs);
  EXPECT_GT(epochs, 1);
  EXPECT_LE(epochs, 100000);
  EXPECT_LT(network.meanError(NeuralNetwork::trainingTable()), 0.01);

  const auto& out = network.compute({0.0, 0.5, 0.2, 0.5, 0.7});
  EXPECT_NEAR(out[0], 0.5, 0.05);  // straight
  EXPECT_NEAR(out[1], 0.9, 0.1);   // throttle
  EXPECT_LT(out[2], 0.1);          // no brake
}

TEST(NeuralNetwork, TrainedNetworkSteersTowardsTheTargetAndBrakesWhenFast) {
  NeuralNetwork network = trainedNetwork();
  const double left = network.compute({0.3, 0.2, 0.2, 0.2, 0.7})[0];
  const double right = network.compute({0.3, 0.8, 0.2, 0.8, 0.7})[0];
  EXPECT_LT(left, 0.45);
  EXPECT_GT(right, 0.55);
  // Fast with a bend ahead: the brake outweighs the throttle.
  const auto& fast = network.compute({1.0, 0.8, 0.1, 1.0, 0.6});
  EXPECT_GT(fast[2], 0.5);
  EXPECT_LT(fast[1], 0.2);
}

TEST(NeuralNetwork, TrainingOnOneSampleLearnsThatSampleAndStopsEarly) {
  platform::setFixedSeed(11);
  NeuralNetwork network;
  const NeuralNetwork::Sample sample = {0.3, 0.9, 0.5, 0.1, 0.2, 0.8, 0.1, 0.7};
  const double before = network.meanError({sample});
  const int epochs = network.train(50000, &sample);
  EXPECT_LT(epochs, 50000);
  EXPECT_LE(network.meanError({sample}), 0.001 + 1e-9);
  EXPECT_LT(network.meanError({sample}), before);

  // Zero epochs leave the network as it was.
  NeuralNetwork copy = network;
  EXPECT_EQ(copy.train(0), 0);
  EXPECT_EQ(copy.compute({0.1, 0.2, 0.3, 0.4, 0.5}), network.compute({0.1, 0.2, 0.3, 0.4, 0.5}));
}

TEST(NeuralNetwork, ACopyCarriesWeightsAndMomentum) {
  platform::setFixedSeed(5);
  NeuralNetwork original;
  original.train(3);  // leaves a momentum history behind
  NeuralNetwork copy = original;
  // Both take the same next training step only if the last changes were copied too.
  original.train(1);
  copy.train(1);
  const std::array<double, 5> inputs = {0.4, 0.6, 0.2, 0.6, 1.0};
  EXPECT_EQ(original.compute(inputs), copy.compute(inputs));
}

}  // namespace
