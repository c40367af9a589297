#pragma once

#include <cstddef>

#include "diskusage/compute_sizes_run.h"

namespace zobl {

// What the feature objects ask of the window: the compute run's view of it, and whether
// the lines without a name are shown.
class FormView : public ComputeSizesView {
 public:
  [[nodiscard]] virtual bool NamelessLinesShown() const = 0;
};

// The feature objects are made before the window and outlive it, so they ask it through
// this link, which the window joins only while it has its controls (from WM_CREATE to
// WM_DESTROY). Unjoined, a run shows nothing of itself and no nameless line is shown.
class FormLink final : public ComputeSizesView {
 public:
  void Join(FormView* form) { form_ = form; }
  [[nodiscard]] bool NamelessLinesShown() const { return form_ != nullptr && form_->NamelessLinesShown(); }

  void BeginProgress(std::size_t rows) override {
    if (form_ != nullptr) form_->BeginProgress(rows);
  }
  void StepProgress() override {
    if (form_ != nullptr) form_->StepProgress();
  }
  void EndProgress() override {
    if (form_ != nullptr) form_->EndProgress();
  }
  void ActivatePiePage() override {
    if (form_ != nullptr) form_->ActivatePiePage();
  }
  [[nodiscard]] bool PiePageActive() const override { return form_ != nullptr && form_->PiePageActive(); }
  void PieRefresh() override {
    if (form_ != nullptr) form_->PieRefresh();
  }

 private:
  FormView* form_ = nullptr;
};

}  // namespace zobl
