# Embedded assets (typeface and knob images) are added here by the look and feel.
