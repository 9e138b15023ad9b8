#include <gtest/gtest.h>

#include "drivers/NeuralNetwork.h"
#include "platform/Random.h"

namespace {

// Training takes a moment; every test shares one trained network.
const drivers::NeuralNetwork& trainedNetwork(int* epochs = nullptr) {
  static int trainingEpochs = 0;
  static const drivers::NeuralNetwork network = [] {
    platform::setFixedSeed(7);
    drivers::NeuralNetwork fresh;
    trainingEpochs = fresh.train(100000);
    return fresh;
  }();
  if (epochs) *epochs = trainingEpochs;
  return network;
}

TEST(NeuralNetwork, TrainedOnTheTableAStandingCarWithTheRoadAheadDrivesOffStraight) {
  int epochs = 0;
  drivers::NeuralNetwork network = trainedNetwork(&epochs);
  EXPECT_GT(epochs, 1);
  EXPECT_LE(epochs, 100000);
  EXPECT_LT(network.meanError(drivers::NeuralNetwork::trainingTable()), 0.01);

  const auto& out = network.compute({0.0, 0.5, 0.2, 0.5, 0.7});
  EXPECT_NEAR(out[0], 0.5, 0.05);  // straight
  EXPECT_NEAR(out[1], 0.9, 0.1);   // throttle
  EXPECT_LT(out[2], 0.1);          // no brake
}

TEST(NeuralNetwork, TrainingOnOneSampleLearnsThatSampleAndStopsEarly) {
  platform::setFixedSeed(11);
  drivers::NeuralNetwork network;
  const drivers::NeuralNetwork::Sample sample = {0.3, 0.9, 0.5, 0.1, 0.2, 0.8, 0.1, 0.7};
  const double before = network.meanError({sample});
  const int epochs = network.train(50000, &sample);
  EXPECT_LT(epochs, 50000);
  EXPECT_LE(network.meanError({sample}), 0.001 + 1e-9);
  EXPECT_LT(network.meanError({sample}), before);

  // Zero epochs leave the network as it was.
  drivers::NeuralNetwork copy = network;
  EXPECT_EQ(copy.train(0), 0);
  EXPECT_EQ(copy.compute({0.1, 0.2, 0.3, 0.4, 0.5}), network.compute({0.1, 0.2, 0.3, 0.4, 0.5}));
}

}  // namespace
